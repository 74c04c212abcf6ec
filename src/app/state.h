// The run-time state of Tintlet that more than one module reads, on the message-loop thread only. The
// persisted settings are apart, in `settings` (settings/settings.h); what one module alone needs is that
// module's (boxState, optionsState, historyMenuState).
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>
#include <shellapi.h>

#include "app/names.h"
#include "box/contrast.h"
#include "export/notation.h"
#include "history/history.h"

typedef BOOL(WINAPI* SetLayeredAttrsFn)(HWND, COLORREF, BYTE, DWORD);

struct AppState {
  // Runtime flags.
  int boxShown = 0;  // set to 1 when the tray menu is built
  bool timerActive = false;
  bool textDirty = false;
  bool layeredSupported = false;
  SetLayeredAttrsFn setLayeredAttrs = nullptr;
  UINT runningMsg = 0;
  UINT taskbarCreatedMsg = 0;  // registered once the tray icon is added
  HINSTANCE appInstance = nullptr;

  // Colour box geometry and texts.
  int boxWidth = 0;
  int lineHeight = 0;
  char hexText[7] = {};
  char decText[12] = {};

  // Long-lived GDI and USER objects; each is released once at shutdown.
  HBRUSH baseBrush = nullptr;
  HBRUSH ctlBrush = nullptr;
  HFONT boxFont = nullptr;
  HFONT uiFont = nullptr;
  HFONT linkFont = nullptr;
  HICON aboutIcons[kAboutIconCount] = {};  // the About icons made at a size other than the system's icon size
  HICON trayIcon = nullptr;  // the tray's small icon, loaded at its size and not shared
  HCURSOR arrowCursor = nullptr;
  HCURSOR handCursor = nullptr;
  HMENU trayMenu = nullptr;
  HMENU formatMenu = nullptr;
  HMENU displayMenu = nullptr;
  HMENU historyMenu = nullptr;
  HMENU magnifierMenu = nullptr;  // the Display submenu's scales
  HMENU sampleMenu = nullptr;     // and its sample sizes

  // Windows; the Options window's controls are the options module's (options/options.h).
  HWND boxWnd = nullptr;
  HWND boxTextWnd = nullptr;
  HWND optionsWnd = nullptr;
};

extern AppState app;
