// The notification-area icon and the popup menu.
#pragma once
#include <windows.h>

#include "box/box_geometry.h"

void buildTrayMenu();
void addTrayIcon(HWND box);
void removeTrayIcon();
// The tray icon's callback: a double click shows or hides the box, a right click opens the menu.
LRESULT onTrayNotify(HWND box, LPARAM mouseMsg);
// Explorer restarted: the icon must be added again.
LRESULT onTaskbarCreated(HWND box);
// The tray retry timer: another try at an icon the shell refused.
LRESULT onTrayRetry(HWND box);
// Opens the tray menu at the pointer, for the tray icon, the box and the Options window alike; its
// commands go to the colour box.
void showTrayMenu();
void setViewItemsEnabled(UINT flag);
// The menu side of the setters: the radio marks of the form, the base and the notation (by its
// command id), and the check of "&Mouse mode".
void markForm(BoxForm form);
void markDisplayBase(bool decimal);
void markNotation(int command);
void markMiddleButtonMode(bool on);
// The radio marks of the Display submenu's "Ma&gnifier" and "&Sample" submenus.
void markMagnifierScale(int scale);
void markSampleSide(int side);
// The menu side of Show / Hide: Copy and the view items grayed or enabled, the item renamed.
void markBoxShown(bool shown);
