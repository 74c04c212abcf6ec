#include "box/box_dpi.h"

#include "app/dll_search.h"
#include "app/gdi.h"
#include "app/state.h"
#include "settings/settings.h"
#include "box/box.h"
#include "box/dpi_scale.h"
#include "box/zoom.h"

namespace {

typedef HRESULT(WINAPI* GetDpiForMonitorFn)(HMONITOR, int, UINT*, UINT*);
constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI: the DPI the user's scaling setting gives

int boxDpi = 0;       // the DPI the box font is made for; 0 until it is first made
bool reLayingOut = false;

GetDpiForMonitorFn dpiForMonitor() {
  static bool looked = false;
  static GetDpiForMonitorFn fn = nullptr;
  if (!looked) {
    looked = true;
    // On systems without shcore.dll a file of that name beside the program must not be loaded.
    if (HMODULE shcore = loadSystemLibrary("shcore.dll")) {
      const FARPROC found = GetProcAddress(shcore, "GetDpiForMonitor");
      fn = reinterpret_cast<GetDpiForMonitorFn>(reinterpret_cast<void (*)()>(found));
    }
  }
  return fn;
}

int pointerMonitorDpi() {
  POINT p = {0, 0};
  GetCursorPos(&p);
  return monitorDpi(MonitorFromPoint(p, MONITOR_DEFAULTTONEAREST));
}

void setBoxDpi(int dpi) {
  boxDpi = dpi;
  setMagnifierDpi(dpi);
}

}  // namespace

int systemDpi() {
  WindowDC screen(nullptr);
  return effectiveDpi(0, screen.dc ? GetDeviceCaps(screen.dc, LOGPIXELSY) : 0);
}

int monitorDpi(HMONITOR monitor) {
  UINT x = 0, y = 0;
  const GetDpiForMonitorFn fn = dpiForMonitor();
  const bool known = fn && monitor && fn(monitor, kEffectiveDpi, &x, &y) == S_OK;
  return effectiveDpi(known ? static_cast<int>(y) : 0, systemDpi());
}

int boxLayoutDpi() { return boxDpi; }

HFONT createBoxFont() {
  if (boxDpi == 0) setBoxDpi(pointerMonitorDpi());
  LOGFONTA font = settings.boxLogFont;
  font.lfHeight = scaleForDpi(font.lfHeight, boxDpi);
  font.lfWidth = scaleForDpi(font.lfWidth, boxDpi);
  return CreateFontIndirectA(&font);
}

LRESULT onBoxDpiChanged(HWND wnd, int dpi) {
  // The new layout moves the box; should that carry it back over the monitors' border, the message
  // comes again from inside it, and the box would be laid out back and forth without end.
  if (dpi <= 0 || dpi == boxDpi || reLayingOut) return 0;
  setBoxDpi(dpi);
  reLayingOut = true;
  layoutBox(wnd);
  reLayingOut = false;
  app.textDirty = true;
  return 0;
}
