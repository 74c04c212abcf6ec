#include "options/options.h"

#include <cstdint>
#include <cstring>

#include "app/gdi.h"
#include "app/state.h"
#include "options/about_text.h"

namespace {

char toolName[64];

void setLabelFont(HWND label, HFONT font) { SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE); }

// Underlines `link`, and puts the other link back in the normal font if it was underlined.
void hoverLink(HWND link, bool* hover, HWND other, bool* otherHover) {
  if (!*hover) setLabelFont(link, app.linkFont);
  if (*otherHover) {
    setLabelFont(other, app.uiFont);
    *otherHover = false;
  }
  *hover = true;
}

}  // namespace

void composeAboutText() {
  composeAboutLines(optionsState.aboutText, sizeof optionsState.aboutText);
  composeCreditLines(TINTLET_BINUTILS_VERSION, TINTLET_WINDRES_VERSION, optionsState.creditsText, sizeof optionsState.creditsText);
}

const char* makerLinkText() { return kMakerAddress; }

const char* toolLinkText() {
  if (!toolName[0]) composeToolName(TINTLET_GCC_VERSION, toolName, sizeof toolName);
  return toolName;
}

void fitLabelToText(HWND label, const char* text, HFONT font) {
  if (!label || !text) return;
  SIZE extent = {};
  BOOL measured;
  {
    WindowDC dc(label);
    SelectedObject selected(dc.dc, font);
    measured = GetTextExtentPoint32A(dc.dc, text, static_cast<int>(std::strlen(text)), &extent);
  }
  // A failed measurement keeps the label's size rather than shrinking it to nothing.
  if (!measured) return;
  SetWindowPos(label, nullptr, 0, 0, extent.cx, extent.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

DWORD CALLBACK helpStreamCallback(DWORD_PTR, LPBYTE buffer, LONG requested, LONG* delivered) {
  std::uint32_t offset = optionsState.helpOffset;
  long given = 0;
  const int result = streamPiece(optionsState.helpData, optionsState.helpSize, &offset, buffer, requested, &given);
  optionsState.helpOffset = offset;
  *delivered = given;
  return static_cast<DWORD>(result);
}

void clearLinkHover() {
  if (optionsState.makerLinkHover) {
    setLabelFont(optionsControls[kMakerLink], app.uiFont);
    optionsState.makerLinkHover = false;
  }
  if (optionsState.toolLinkHover) {
    setLabelFont(optionsControls[kToolLink], app.uiFont);
    optionsState.toolLinkHover = false;
  }
}

LRESULT onOptionsSetCursor(HWND under) {
  if (under && under == optionsControls[kMakerLink]) {
    hoverLink(optionsControls[kMakerLink], &optionsState.makerLinkHover, optionsControls[kToolLink], &optionsState.toolLinkHover);
    SetCursor(app.handCursor);
  } else if (under && under == optionsControls[kToolLink]) {
    hoverLink(optionsControls[kToolLink], &optionsState.toolLinkHover, optionsControls[kMakerLink], &optionsState.makerLinkHover);
    SetCursor(app.handCursor);
  } else {
    clearLinkHover();
    SetCursor(app.arrowCursor);
  }
  return TRUE;  // no other cursor is chosen
}

void openLink(int id) {
  const char* address = linkAddress(id);
  if (address) ShellExecuteA(app.boxWnd, "open", address, nullptr, nullptr, SW_SHOWNORMAL);
}
