#include "options/options_tables.h"

#include "box/dpi_scale.h"
#include "hotkeys/hotkey_table.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

// The window styles used below, with the values of the Windows headers (not included here).
constexpr unsigned long kChild = 0x40000000, kVisible = 0x10000000;
constexpr unsigned long kClipSiblings = 0x04000000, kBorder = 0x00800000, kVScroll = 0x00200000;
constexpr unsigned long kGroup = 0x00020000, kTabStop = 0x00010000;
constexpr unsigned long kTabButtons = 0x0100;                                      // TCS_BUTTONS
constexpr unsigned long kPushButton = 0x0000, kAutoCheckBox = 0x0003, kAutoRadio = 0x0009;
constexpr unsigned long kDropDown = 0x0002, kDropDownList = 0x0003, kAutoHScroll = 0x0040, kSort = 0x0100;  // CBS_*
constexpr unsigned long kHorizontal = 0x0000;                                      // SBS_HORZ
constexpr unsigned long kLeft = 0x0000, kRight = 0x0002, kIcon = 0x0003, kNotify = 0x0100;  // SS_*
// ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY | ES_DISABLENOSCROLL | ES_SUNKEN
constexpr unsigned long kHelpViewStyle = 0x0004 | 0x0040 | 0x0800 | 0x2000 | 0x4000;

constexpr unsigned long kShown = kChild | kVisible;
constexpr unsigned long kRadio = kShown | kTabStop | kAutoRadio;
constexpr unsigned long kPageButton = kShown | kGroup | kTabStop | kPushButton;
constexpr unsigned long kHiddenPageButton = kChild | kGroup | kTabStop | kPushButton;

// Where the notation radio buttons stand, by position (command id order).
struct Place {
  int x, y;
};
constexpr Place kNotationRadioPlaces[kNotationCount] = {
    {40, 40},  {40, 75},   {120, 40},  {120, 75}, {195, 40}, {195, 75},  // HTML to Decimal, two rows
    {40, 180},                                                          // Custom, above its template
    {40, 110}, {120, 110}, {195, 110}, {40, 145}, {120, 145},           // CSS rgb() to OKLCH
};

constexpr bool everyRadioPlaced() {
  for (const Place& p : kNotationRadioPlaces)
    if (p.x == 0 && p.y == 0) return false;
  return true;
}
static_assert(everyRadioPlaced(), "a notation radio has no place");

// The radio button of the notation at `position`; the first one starts the group.
constexpr ControlLayout notationRadio(int position) {
  const Notation& notation = kNotations[notationAtPosition(position)];
  const Place at = kNotationRadioPlaces[position];
  return {"BUTTON", notation.caption, kRadio | (position == 0 ? kGroup : 0), at.x, at.y, fixed(70), fixed(24),
          notation.commandId, 0, false, true};
}

constexpr ControlLayout kHotkeyRows[2] = {
    {"msctls_hotkey32", nullptr, kChild | kTabStop, 15, 35, fixed(160), fixed(18), 0, 1, false, true},
    {"STATIC", nullptr, kChild | kLeft, 195, 35, fixed(90), fixed(18), 0, 1, false, true},
};
constexpr int kHotkeyRowStep = 23;

// The hotkey control or the label of one hotkey row, one row lower for each action.
constexpr ControlLayout hotkeyRow(int control) {
  const int action = (control - kFirstHotkeyRow) / 2;
  const bool isLabel = (control - kFirstHotkeyRow) % 2 == 1;
  ControlLayout row = kHotkeyRows[isLabel ? 1 : 0];
  row.y += kHotkeyRowStep * action;
  if (isLabel) row.text = kActionNames[action];
  return row;
}

// The table in creation order; the notation radios and the hotkey rows are made from their own tables.
constexpr std::array<ControlLayout, kOptionsControlCount> optionsControlTable() {
  std::array<ControlLayout, kOptionsControlCount> t{};
  t[kTabCtrl] = {"SysTabControl32", "", kShown | kClipSiblings | kGroup | kTabStop | kTabButtons, 0, 0, clientLess(0),
                 clientLess(0), 0, kAllPages, false, true};
  for (int position = 0; position < kNotationCount; ++position)
    t[kFirstNotationRadio + position] = notationRadio(position);
  t[kRemoveTemplateButton] = {"BUTTON", "-", kShown | kTabStop | kPushButton, 208, 182, fixed(18), fixed(18),
                              kIdRemoveTemplate, 0, false, true};
  t[kAddTemplateButton] = {"BUTTON", "+", kShown | kTabStop | kPushButton, 230, 182, fixed(18), fixed(18),
                           kIdAddTemplate, 0, false, true};
  // The height includes the drop-down list.
  t[kTemplateCombo] = {"COMBOBOX", "", kShown | kBorder | kTabStop | kDropDown | kAutoHScroll | kSort, 40, 204,
                       fixed(210), fixed(72), 0, 0, false, true};
  t[kMiddleButtonCheck] = {"BUTTON", " Use middle mouse button", kShown | kTabStop | kAutoCheckBox, 70, 240,
                           fixed(140), fixed(24), kIdMiddleButton, 0, false, true};
  t[kOpacityScrollBar] = {"SCROLLBAR", nullptr, kShown | kGroup | kTabStop | kHorizontal, 40, 275, fixed(210),
                          fixed(14), 0, 0, true, false};
  t[kTransparencyLabel] = {"STATIC", "Transparency", kShown | kLeft, 40, 295, fixed(80), fixed(20), 0, 0, true, true};
  t[kPercentLabel] = {"STATIC", nullptr, kShown | kRight, 210, 295, fixed(40), fixed(20), 0, 0, true, true};
  t[kFontButton] = {"BUTTON", "&Font", kPageButton, 15, 330, fixed(80), fixed(24), kIdFontButton, 0, false, true};
  t[kColorButton] = {"BUTTON", "Co&lor", kPageButton, 105, 330, fixed(80), fixed(24), kIdColorButton, 0, false, true};
  t[kBoxDefaultsButton] = {"BUTTON", "Default&s", kPageButton, 195, 330, fixed(80), fixed(24), kIdBoxDefaults, 0,
                           false, true};
  for (int action = 0; action < kActionCount; ++action) {
    t[hotkeyCtrlRow(action)] = hotkeyRow(hotkeyCtrlRow(action));
    t[hotkeyLabelRow(action)] = hotkeyRow(hotkeyLabelRow(action));
  }
  // The Hotkeys page's buttons lie where "&Font" and "Default&s" lie on the Options page.
  t[kApplyButton] = {"BUTTON", "Apply", kHiddenPageButton, 15, 330, fixed(80), fixed(24), kIdApply, 1, false, true};
  t[kHotkeyDefaultsButton] = {"BUTTON", "Defaults", kHiddenPageButton, 195, 330, fixed(80), fixed(24),
                              kIdHotkeyDefaults, 1, false, true};
  t[kHelpView] = {"RichEdit", nullptr, kChild | kVScroll | kHelpViewStyle, 0, 30, clientLess(0), clientLess(30), 0,
                  2, false, false};
  t[kAboutLabel] = {"STATIC", nullptr, kChild | kLeft, 127, 38, clientLess(100), fixed(150), 0, 3, false, true};
  t[kMakerLink] = {"STATIC", nullptr, kChild | kNotify, 127, 170, clientLess(100), fixed(18), kIdMakerLink, 3, false,
                   true};
  t[kDevelopedWithLabel] = {"STATIC", "developed with:", kChild | kLeft, 127, 204, clientLess(100), fixed(16), 0, 3,
                            false, true};
  t[kToolLink] = {"STATIC", nullptr, kChild | kNotify, 127, 219, clientLess(100), fixed(20), kIdToolLink, 3, false,
                  true};
  t[kPackedWithLabel] = {"STATIC", "packed with:", kChild | kLeft, 22, 260, fixed(75), fixed(16), 0, 3, false, true};
  t[kCreditsLabel] = {"STATIC", nullptr, kChild | kLeft, 97, 247, clientLess(114), fixed(97), 0, 3, false, true};
  t[kProgramIconStatic] = {"STATIC", "TLICON", kChild | kIcon, 55, 45, fixed(32), fixed(32), 0, 3, false, false};
  t[kMakerIconStatic] = {"STATIC", "QNICON", kChild | kIcon, 55, 120, fixed(32), fixed(32), 0, 3, false, false};
  t[kToolIconStatic] = {"STATIC", "DTICON", kChild | kIcon, 55, 197, fixed(32), fixed(32), 0, 3, false, false};
  // The label's mnemonic moves the focus to the list after it. The lists' heights include the drop-down.
  t[kMagnifierLabel] = {"STATIC", "Ma&gnifier", kShown | kLeft, 15, 370, fixed(55), fixed(20), 0, 0, false, true};
  t[kMagnifierCombo] = {"COMBOBOX", nullptr, kShown | kGroup | kTabStop | kVScroll | kDropDownList, 72, 366, fixed(60),
                        fixed(120), kIdMagnifierCombo, 0, false, true};
  t[kSampleLabel] = {"STATIC", "Sa&mple", kShown | kLeft, 150, 370, fixed(45), fixed(20), 0, 0, false, true};
  t[kSampleCombo] = {"COMBOBOX", nullptr, kShown | kGroup | kTabStop | kVScroll | kDropDownList, 195, 366, fixed(80),
                     fixed(160), kIdSampleCombo, 0, false, true};
  return t;
}

constexpr bool everyRowMade(const std::array<ControlLayout, kOptionsControlCount>& table) {
  for (const ControlLayout& row : table)
    if (!row.className) return false;
  return true;
}

constexpr std::array<ControlLayout, kOptionsControlCount> kTable = optionsControlTable();
static_assert(everyRowMade(kTable), "a control of the Options window has no row");

}  // namespace

const std::array<ControlLayout, kOptionsControlCount> kOptionsControls = kTable;

int resolveExtent(Extent e, int clientSize) { return e.fromClient ? clientSize - e.pixels : e.pixels; }

ControlRect controlRectAt(const ControlLayout& row, int clientWidth, int clientHeight, int dpi) {
  const auto scaled = [dpi](Extent e) { return Extent{scaleForDpi(e.pixels, dpi), e.fromClient}; };
  ControlRect r = {scaleForDpi(row.x, dpi), scaleForDpi(row.y, dpi), resolveExtent(scaled(row.width), clientWidth),
                   resolveExtent(scaled(row.height), clientHeight)};
  // The table's own sizes stand at 96 DPI, where some About labels have always reached past the client
  // area's right edge unseen. Scaled, a control stops at the client area's edges, and nothing lies outside.
  if (dpi > 0 && dpi != kBaseDpi) {
    r.width = std::max(0, std::min(r.width, clientWidth - r.x));
    r.height = std::max(0, std::min(r.height, clientHeight - r.y));
  }
  return r;
}

bool showsIcon(const ControlLayout& row) {
  constexpr unsigned long kTypeMask = 0x1F;  // SS_TYPEMASK
  return std::strcmp(row.className, "STATIC") == 0 && (row.style & kTypeMask) == kIcon;
}

int opacityAfterScroll(int request, int thumb, int current) {
  int next = current;
  switch (request) {
    case kLineLeft:
    case kPageLeft:      next = current + 1; break;
    case kLineRight:
    case kPageRight:     next = current - 1; break;
    case kThumbPosition:
    case kThumbTrack:    next = kMaxOpacity - thumb; break;
    case kLeftEnd:       return kMaxOpacity;
    case kRightEnd:      return kMinOpacity;
    default:             return current;
  }
  // A thumb position the scroll bar could not have sent must not leave the valid range either.
  if (next > kMaxOpacity) return kMaxOpacity;
  if (next < kMinOpacity) return kMinOpacity;
  return next;
}

void formatTransparencyText(int opacityPercent, char text[8]) {
  std::snprintf(text, 8, "%d%%", transparencyOf(opacityPercent));
}
