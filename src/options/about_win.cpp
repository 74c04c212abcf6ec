#include "options/options.h"

#include <cstring>

#include "app/state.h"

// The About texts are not built yet; only the line break that error messages use is set.
void composeAboutText() { std::strcpy(app.lineBreak, "\r"); }
const char* makerLinkText() { return ""; }
const char* toolLinkText() { return ""; }
void fitLabelToText(HWND, const char*, HFONT) {}

// The help document is not built yet: the stream reports an error and the page stays empty.
DWORD CALLBACK helpStreamCallback(DWORD_PTR, LPBYTE, LONG, LONG* delivered) {
  *delivered = 0;
  return 1;
}

LRESULT onOptionsSetCursor(HWND) {
  SetCursor(app.arrowCursor);
  return TRUE;
}

void openLink(int) {}
