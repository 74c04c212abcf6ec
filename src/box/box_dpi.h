// The DPI the colour box is laid out for, and the box font made for it.
#pragma once
#include <windows.h>

// The DPI of a monitor: its own where the system tells it (GetDpiForMonitor, Windows 8.1 on, looked up
// at run time), otherwise the system DPI.
int monitorDpi(HMONITOR monitor);
// The system DPI (LOGPIXELSY of the screen), which the font dialog measures point sizes in; 96 if unknown.
int systemDpi();
// A new box font: `boxLogFont`, whose sizes are kept for 96 DPI, scaled for the DPI of the box's monitor.
// That DPI is the pointer's monitor's when the box is first made (it is placed beside the pointer), and
// after that the one each WM_DPICHANGED brings.
HFONT createBoxFont();
// The DPI the box is laid out for.
int boxLayoutDpi();
// WM_DPICHANGED of the box (the DPI of the new monitor in the low word): the box is laid out afresh.
LRESULT onBoxDpiChanged(HWND wnd, int dpi);
