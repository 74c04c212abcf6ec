// The Options window as data: its controls in creation order with their layout and page, and the
// rules of the Options page that are plain arithmetic. No windows.h.
#pragma once

#include <array>

#include "app/action_table.h"
#include "export/notation.h"

// The controls of the Options window, in creation order (which is also the dialog tab order).
enum OptionsControl {
  kTabCtrl,
  kFirstNotationRadio,  // the notation at position p (notationAtPosition) has kFirstNotationRadio + p
  kRemoveTemplateButton = kFirstNotationRadio + kNotationCount, kAddTemplateButton, kTemplateCombo,
  kMiddleButtonCheck, kOpacityScrollBar, kTransparencyLabel, kPercentLabel, kFontButton, kColorButton,
  kBoxDefaultsButton,
  kFirstHotkeyRow,  // hotkeyCtrl[i] is kFirstHotkeyRow + 2 * i, hotkeyLabel[i] the control after it
  kApplyButton = kFirstHotkeyRow + 2 * kActionCount, kHotkeyDefaultsButton, kHelpView,
  kAboutLabel, kMakerLink, kDevelopedWithLabel, kToolLink, kPackedWithLabel, kCreditsLabel,
  kProgramIconStatic, kMakerIconStatic, kToolIconStatic,
  kMagnifierLabel, kMagnifierCombo, kSampleLabel, kSampleCombo,
  kOptionsControlCount
};

// Command ids of the Options window's controls (the notation radios use those of the tray menu, kNotations).
// None is IDOK (1) or IDCANCEL (2), which the dialog keys send for Enter and Escape.
enum OptionsCommand {
  kIdFontButton = 110, kIdColorButton = 111, kIdBoxDefaults = 112, kIdMakerLink = 21, kIdToolLink = 22,
  kIdHotkeyDefaults = 30, kIdApply = 31, kIdMiddleButton = 40, kIdRemoveTemplate = 100, kIdAddTemplate = 101,
  kIdMagnifierCombo = 120, kIdSampleCombo = 121
};

constexpr OptionsControl hotkeyCtrlRow(int action) { return OptionsControl(kFirstHotkeyRow + 2 * action); }
constexpr OptionsControl hotkeyLabelRow(int action) { return OptionsControl(kFirstHotkeyRow + 2 * action + 1); }
constexpr OptionsControl notationRadioRow(int formatIndex) {
  for (int position = 0; position < kNotationCount; ++position)
    if (notationAtPosition(position) == formatIndex) return OptionsControl(kFirstNotationRadio + position);
  return kOptionsControlCount;
}

constexpr int kOptionsClientWidth = 294;  // the Options window's client area at 96 DPI
constexpr int kOptionsClientHeight = 400;  // the magnifier's and the sample's row below the buttons
// Its outer size at 96 DPI with a 3-pixel frame and a 19-pixel caption, as the test display draws them.
constexpr int kOptionsWidth = kOptionsClientWidth + 2 * 3;
constexpr int kOptionsHeight = kOptionsClientHeight + 2 * 3 + 19;
constexpr int kPageCount = 4;
constexpr char kTabTexts[kPageCount][8] = {"Options", "Hotkeys", "Help", "About"};
constexpr int kAllPages = -1;  // the page of the tab control, which is always shown

// A width or height: fixed pixels, or the client area's size less some pixels.
struct Extent {
  int pixels;
  bool fromClient;
};
constexpr Extent fixed(int pixels) { return {pixels, false}; }
constexpr Extent clientLess(int pixels) { return {pixels, true}; }
int resolveExtent(Extent e, int clientSize);

struct ControlLayout {
  const char* className;
  const char* text;       // null: no text, or one filled in at creation (the About texts)
  unsigned long style;    // as created; WS_VISIBLE exactly on the controls of the Options page
  int x, y;               // client coordinates of the Options window
  Extent width, height;
  int id;
  int page;               // 0 Options, 1 Hotkeys, 2 Help, 3 About, or kAllPages
  bool needsLayers;       // created disabled when the system has no layered windows
  bool uiFont;            // given the Options font
};

extern const std::array<ControlLayout, kOptionsControlCount> kOptionsControls;

// Where a control goes in a client area of the given size, laid out for `dpi`: the table's place and fixed
// sizes scaled as the box font is, sizes given from the client area taken from the client area as it is.
struct ControlRect { int x, y, width, height; };
ControlRect controlRectAt(const ControlLayout& row, int clientWidth, int clientHeight, int dpi);
// Whether the control is an icon static; its icon is made at the control's size.
bool showsIcon(const ControlLayout& row);

// Scroll requests of the opacity scroll bar (the low word of WM_HSCROLL's wParam).
enum ScrollRequest {
  kLineLeft, kLineRight, kPageLeft, kPageRight, kThumbPosition, kThumbTrack, kLeftEnd, kRightEnd, kEndScroll
};
constexpr int kMinOpacity = 70;
constexpr int kMaxOpacity = 100;

// opacityPercent after a scroll request; `thumb` is the thumb position the request carries.
int opacityAfterScroll(int request, int thumb, int current);
// The scroll position and label of an opacity: the transparency, 0 to 30.
constexpr int transparencyOf(int opacityPercent) { return kMaxOpacity - opacityPercent; }
// The percent label's text for an opacity: the transparency and "%", as "12%".
void formatTransparencyText(int opacityPercent, char text[8]);
