// The run-time state of Tintlet, on the message-loop thread only. The persisted settings are
// apart, in `settings` (settings/settings.h).
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>
#include <shellapi.h>

#include "app/names.h"
#include "export/notation.h"
#include "history/history.h"

typedef BOOL(WINAPI* SetLayeredAttrsFn)(HWND, COLORREF, BYTE, DWORD);

struct AppState {
  // Runtime flags.
  bool followPointer = true;
  bool colorFixed = false;
  bool nudgeMode = false;  // the arrows, Enter and Escape are the box's hotkeys
  int boxShown = 0;  // set to 1 when the tray menu is built
  bool timerActive = false;
  bool textDirty = false;
  int currentTab = 0;
  HWND fontDialogWnd = nullptr;
  HWND colorDialogWnd = nullptr;
  bool layeredSupported = false;
  SetLayeredAttrsFn setLayeredAttrs = nullptr;
  UINT runningMsg = 0;
  UINT taskbarCreatedMsg = 0;  // registered once the tray icon is added
  HINSTANCE appInstance = nullptr;

  // Colour box geometry, texts and tick state.
  int boxWidth = 0;
  int boxHeight = 0;
  int lineHeight = 0;
  RECT swatchRect = {};
  char hexText[7] = {};
  char decText[12] = {};
  COLORREF shownColor = 0;
  bool firstTick = true;
  bool dragging = false;
  POINT dragPoint = {};

  // Long-lived GDI and USER objects; each is released once at shutdown.
  HBRUSH baseBrush = nullptr;
  HBRUSH ctlBrush = nullptr;
  HFONT boxFont = nullptr;
  HFONT uiFont = nullptr;
  HFONT linkFont = nullptr;
  HICON aboutIcons[kAboutIconCount] = {};  // the About icons made at a size other than the system's icon size
  HICON trayIcon = nullptr;  // the tray's small icon, loaded at its size and not shared
  HDC screenDC = nullptr;  // the desktop window's DC, kept by the tick from one tick to the next
  HCURSOR arrowCursor = nullptr;
  HCURSOR handCursor = nullptr;
  HMENU trayMenu = nullptr;
  HMENU formatMenu = nullptr;
  HMENU displayMenu = nullptr;
  HMENU historyMenu = nullptr;
  HBITMAP historySwatches[kHistoryMax] = {};  // the History entries' bitmaps, made with the submenu
  int historySwatchDpi = 0;                   // the DPI they were made for

  // Windows; the Options window's controls are the options module's (options/options.h).
  HWND boxWnd = nullptr;
  HWND boxTextWnd = nullptr;
  HWND optionsWnd = nullptr;

  // Help and About.
  const char* helpData = nullptr;
  DWORD helpSize = 0;
  DWORD helpOffset = 0;
  EDITSTREAM helpStream = {};
  char aboutText[128] = {};
  char creditsText[256] = {};
  char lineBreak[2] = {};
  bool makerLinkHover = false;
  bool toolLinkHover = false;
};

extern AppState app;
