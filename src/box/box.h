// The colour box: the window that follows the pointer and shows the colour under it.
#pragma once
#include <windows.h>

#include "box/box_geometry.h"

LRESULT CALLBACK colorBoxProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);

// The measured width and height of the colour text in the box font, for the current base.
SIZE measureDigits(HDC dc);
// The line height and the box width, from the colour text in the box font at the box's DPI.
void measureBox(HWND wnd);
void placeBox(HWND wnd);
// The height and swatch of `form` for the line height `h` and the current box width.
void applyFormGeometry(BoxForm form, int h);
void layoutBox(HWND wnd);
void paintBoxBackground(HWND wnd);
// Makes `color` the box's background: a new base brush, also for the box class's erasing.
void setBaseColor(COLORREF color);
void redrawBox(HWND wnd);
void showBox(HWND wnd);
void hideBox(HWND wnd);
// The monitor under a pointer at `p` (or the nearest one): the box is kept on it, the magnifier reads
// from it, and the Options window is centred on it.
RECT screenRectAt(POINT p);

// The box's timer: a tick in full while the pointer moves or a mode needs speed, fewer while it stands still.
LRESULT onBoxTimer(HWND wnd);
// One tick in full, whatever the pace: the pointer read, the screen sampled, the colour shown, the box placed.
LRESULT onBoxTick(HWND wnd);
// The interval the tick's timer runs at now, in milliseconds (tick_pace.h).
int tickIntervalMs();
// Releases the device contexts the tick keeps from one tick to the next; once, at shutdown.
void releaseTickDCs();

// Setters (actions_win.cpp). Each sets its setting and brings the box, the tray menu and the
// Options window into line with it; calling one again with the same value changes nothing.
void setForm(BoxForm form);
void setDisplayBase(bool decimal);
void setBoxShown(bool shown);
void setMiddleButtonMode(bool on);
void setNotation(int formatIndex);
void setOpacity(int percent);
// The box font (sizes for 96 DPI) and the colour of its text.
void setBoxFont(const LOGFONTA& font, COLORREF textColor);

// Actions and commands (actions_win.cpp).
LRESULT onAction(HWND wnd, int action);
LRESULT onMenuCommand(HWND wnd, int id);
LRESULT onSecondInstance(HWND wnd);
LRESULT onBoxDestroy(HWND wnd);
bool isWindowCovered(HWND wnd);

// Nudge mode (nudge_win.cpp). The setter takes the mode's keys and the zoom form, or gives both back
// with the form shown before; turning it on does nothing while the box is hidden or a hotkey row has
// the focus.
void setNudgeMode(bool on);
// WM_HOTKEY with the identifier of one of the mode's keys; other identifiers are ignored.
void onNudgeKey(HWND box, int id);
