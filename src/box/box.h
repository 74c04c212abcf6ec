// The colour box: the window that follows the pointer and shows the colour under it.
#pragma once
#include <windows.h>

#include "box/box_geometry.h"
#include "box/contrast.h"

// What the colour box alone keeps while the program runs.
struct BoxState {
  bool followPointer = true;
  bool colorFixed = false;
  bool nudgeMode = false;  // the arrows, Enter and Escape are the box's hotkeys
  int boxHeight = 0;
  int measuredWidth = 0;  // of the colour text and its sample mark, in the box font
  RECT swatchRect = {};
  COLORREF shownColor = 0;
  bool firstTick = true;
  bool dragging = false;
  POINT dragPoint = {};
  HDC screenDC = nullptr;  // the desktop window's DC, kept by the tick from one tick to the next
  // The contrast form's line and the pair it was composed for.
  char contrastText[kContrastTextSize] = {};
  bool contrastComposed = false;
  COLORREF contrastPicked = 0;
  COLORREF contrastReference = 0;
};
extern BoxState boxState;

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
// The virtual screen, every monitor's rectangle together (right and bottom exclusive).
Rect virtualScreenRect();

// The box's timer: a tick in full while the pointer moves or a mode needs speed, fewer while it stands still.
LRESULT onBoxTimer(HWND wnd);
// One tick in full, whatever the pace: the pointer read, the screen sampled, the colour shown, the box placed.
LRESULT onBoxTick(HWND wnd);
// How many times the contrast form's line was worked out since start.
int contrastLinesComposedSoFar();
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
// The magnifier's cells at 96 DPI (2, 4, 6 or 8; another number counts as 2) and the side of the area whose
// mean the box takes (one of kSampleSides; another counts as 1).
void setMagnifierScale(int scale);
void setSampleSide(int side);

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
