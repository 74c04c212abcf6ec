// The colour box: the window that follows the pointer and shows the colour under it.
#pragma once
#include <windows.h>

#include "box/box_geometry.h"

LRESULT CALLBACK colorBoxProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);

void initDefaultLogFont(LOGFONTA* font);
// The measured width and height of the colour text in the box font, for the current base.
SIZE measureDigits(HDC dc);
void placeBox(HWND wnd);
BoxForm currentForm();
// The height and swatch of `form` for the line height `h` and the current box width.
void applyFormGeometry(BoxForm form, int h);
void layoutBox(HWND wnd);
void resetBoxFont(HWND wnd, HDC dc);
void paintBoxBackground(HWND wnd);
// Makes `color` the box's background: a new base brush, also for the box class's erasing.
void setBaseColor(COLORREF color);
void redrawBox(HWND wnd);
void showBox(HWND wnd);
void hideBox(HWND wnd);
// The monitor under a pointer at `p` (or the nearest one): the box is kept on it, the magnifier reads
// from it, and the Options window is centred on it.
RECT screenRectAt(POINT p);

LRESULT onBoxTick(HWND wnd);
// Releases the device contexts the tick keeps from one tick to the next; once, at shutdown.
void releaseTickDCs();

// Actions and commands (actions_win.cpp).
LRESULT onAction(HWND wnd, int action);
LRESULT onMenuCommand(HWND wnd, int id);
LRESULT onSecondInstance(HWND wnd);
LRESULT onBoxDestroy(HWND wnd);
bool isWindowCovered(HWND wnd);
// Whether the keyboard focus is in a hotkey row of the Options window.
bool hotkeyControlHasFocus();
// Lays the box out in `form`, with the tray's radio mark on it.
void setBoxForm(HWND wnd, BoxForm form);

// Nudge mode (nudge_win.cpp). The setter takes the mode's keys and the zoom form, or gives both back;
// turning it on does nothing while the box is hidden or a hotkey row has the focus.
void setNudgeMode(HWND box, bool on);
// WM_HOTKEY with the identifier of one of the mode's keys; other identifiers are ignored.
void onNudgeKey(HWND box, int id);
