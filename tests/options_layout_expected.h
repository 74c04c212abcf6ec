// The Options window's controls as they must be made, in creation order: one table that the native test of
// the control table and the Wine test of the real window both read. No windows.h.
#pragma once

namespace expected_options {

// Widths and heights given relative to the Options window's client area: W - 100 is W less 100.
constexpr int W = 100000, H = 100000;

struct ExpectedControl {
  const char* name;
  const char* className;
  const char* text;  // null: not compared here (filled by other parts of the program)
  unsigned long style;
  int x, y, width, height;
  int id;
  int page;  // -1: always shown
  bool uiFont;
};

// The Options window's controls in creation order.
inline const ExpectedControl kExpected[] = {
    {"tabCtrl", "SysTabControl32", "", 0x54030100, 0, 0, W, H, 0, -1, true},
    {"htmlRadio", "Button", "&HTML", 0x50030009, 40, 40, 70, 24, 10, 0, true},
    {"delphiRadio", "Button", "&Delphi", 0x50010009, 40, 75, 70, 24, 11, 0, true},
    {"cppRadio", "Button", "&C++", 0x50010009, 120, 40, 70, 24, 12, 0, true},
    {"javaRadio", "Button", "&Java", 0x50010009, 120, 75, 70, 24, 13, 0, true},
    {"vbRadio", "Button", "&VB", 0x50010009, 195, 40, 70, 24, 14, 0, true},
    {"decimalRadio", "Button", "D&ecimal", 0x50010009, 195, 75, 70, 24, 15, 0, true},
    {"customRadio", "Button", "C&ustom", 0x50010009, 40, 180, 70, 24, 16, 0, true},
    {"cssRgbRadio", "Button", "CSS &rgb()", 0x50010009, 40, 110, 70, 24, 50, 0, true},
    {"cssHslRadio", "Button", "CSS hsl()", 0x50010009, 120, 110, 70, 24, 51, 0, true},
    {"hsvRadio", "Button", "HSV", 0x50010009, 195, 110, 70, 24, 52, 0, true},
    {"floatRadio", "Button", "Flo&at", 0x50010009, 40, 145, 70, 24, 53, 0, true},
    {"oklchRadio", "Button", "&OKLCH", 0x50010009, 120, 145, 70, 24, 54, 0, true},
    {"removeTemplateButton", "Button", "-", 0x50010000, 208, 182, 18, 18, 100, 0, true},
    {"addTemplateButton", "Button", "+", 0x50010000, 230, 182, 18, 18, 101, 0, true},
    {"templateCombo", "ComboBox", nullptr, 0x50810142, 40, 204, 210, 72, 0, 0, true},
    {"middleButtonCheck", "Button", " Use middle mouse button", 0x50010003, 70, 240, 140, 24, 40, 0, true},
    {"opacityScrollBar", "ScrollBar", "", 0x50030000, 40, 275, 210, 14, 0, 0, false},
    {"transparencyLabel", "Static", "Transparency", 0x50000000, 40, 295, 80, 20, 0, 0, true},
    {"percentLabel", "Static", "0%", 0x50000002, 210, 295, 40, 20, 0, 0, true},
    {"fontButton", "Button", "&Font", 0x50030000, 15, 330, 80, 24, 110, 0, true},
    {"colorButton", "Button", "Co&lor", 0x50030000, 105, 330, 80, 24, 111, 0, true},
    {"boxDefaultsButton", "Button", "Default&s", 0x50030000, 195, 330, 80, 24, 112, 0, true},
    {"hotkeyCtrl[0]", "msctls_hotkey32", "", 0x40010000, 15, 35, 160, 18, 0, 1, true},
    {"hotkeyLabel[0]", "Static", "Options", 0x40000000, 195, 35, 90, 18, 0, 1, true},
    {"hotkeyCtrl[1]", "msctls_hotkey32", "", 0x40010000, 15, 58, 160, 18, 0, 1, true},
    {"hotkeyLabel[1]", "Static", "Dec / Hex", 0x40000000, 195, 58, 90, 18, 0, 1, true},
    {"hotkeyCtrl[2]", "msctls_hotkey32", "", 0x40010000, 15, 81, 160, 18, 0, 1, true},
    {"hotkeyLabel[2]", "Static", "Show / Hide", 0x40000000, 195, 81, 90, 18, 0, 1, true},
    {"hotkeyCtrl[3]", "msctls_hotkey32", "", 0x40010000, 15, 104, 160, 18, 0, 1, true},
    {"hotkeyLabel[3]", "Static", "Fix color", 0x40000000, 195, 104, 90, 18, 0, 1, true},
    {"hotkeyCtrl[4]", "msctls_hotkey32", "", 0x40010000, 15, 127, 160, 18, 0, 1, true},
    {"hotkeyLabel[4]", "Static", "Stop moving", 0x40000000, 195, 127, 90, 18, 0, 1, true},
    {"hotkeyCtrl[5]", "msctls_hotkey32", "", 0x40010000, 15, 150, 160, 18, 0, 1, true},
    {"hotkeyLabel[5]", "Static", "Zoom", 0x40000000, 195, 150, 90, 18, 0, 1, true},
    {"hotkeyCtrl[6]", "msctls_hotkey32", "", 0x40010000, 15, 173, 160, 18, 0, 1, true},
    {"hotkeyLabel[6]", "Static", "Copy to Clipboard", 0x40000000, 195, 173, 90, 18, 0, 1, true},
    {"hotkeyCtrl[7]", "msctls_hotkey32", "", 0x40010000, 15, 196, 160, 18, 0, 1, true},
    {"hotkeyLabel[7]", "Static", "Micro form", 0x40000000, 195, 196, 90, 18, 0, 1, true},
    {"hotkeyCtrl[8]", "msctls_hotkey32", "", 0x40010000, 15, 219, 160, 18, 0, 1, true},
    {"hotkeyLabel[8]", "Static", "Exit", 0x40000000, 195, 219, 90, 18, 0, 1, true},
    {"hotkeyCtrl[9]", "msctls_hotkey32", "", 0x40010000, 15, 242, 160, 18, 0, 1, true},
    {"hotkeyLabel[9]", "Static", "Nudge mode", 0x40000000, 195, 242, 90, 18, 0, 1, true},
    {"hotkeyCtrl[10]", "msctls_hotkey32", "", 0x40010000, 15, 265, 160, 18, 0, 1, true},
    {"hotkeyLabel[10]", "Static", "Contrast form", 0x40000000, 195, 265, 90, 18, 0, 1, true},
    {"hotkeyCtrl[11]", "msctls_hotkey32", "", 0x40010000, 15, 288, 160, 18, 0, 1, true},
    {"hotkeyLabel[11]", "Static", "Paste color", 0x40000000, 195, 288, 90, 18, 0, 1, true},
    {"applyButton", "Button", "Apply", 0x40030000, 15, 330, 80, 24, 31, 1, true},
    {"hotkeyDefaultsButton", "Button", "Defaults", 0x40030000, 195, 330, 80, 24, 30, 1, true},
    {"helpView", "RichEdit", nullptr, 0x40206844, 0, 30, W, H - 30, 0, 2, false},
    {"aboutLabel", "Static", nullptr, 0x40000000, 127, 38, W - 100, 150, 0, 3, true},
    // The two link labels are fitted to their texts at start-up: only their place is fixed.
    {"makerLink", "Static", nullptr, 0x40000100, 127, 170, 0, 0, 21, 3, true},
    {"developedWithLabel", "Static", "developed with:", 0x40000000, 127, 204, W - 100, 16, 0, 3, true},
    {"toolLink", "Static", nullptr, 0x40000100, 127, 219, 0, 0, 22, 3, true},
    {"packedWithLabel", "Static", "packed with:", 0x40000000, 22, 260, 75, 16, 0, 3, true},
    {"creditsLabel", "Static", nullptr, 0x40000000, 97, 247, W - 114, 97, 0, 3, true},
    {"programIconStatic", "Static", nullptr, 0x40000003, 55, 45, 32, 32, 0, 3, false},
    {"makerIconStatic", "Static", nullptr, 0x40000003, 55, 120, 32, 32, 0, 3, false},
    {"toolIconStatic", "Static", nullptr, 0x40000003, 55, 197, 32, 32, 0, 3, false},
    {"magnifierLabel", "Static", "Ma&gnifier", 0x50000000, 15, 370, 55, 20, 0, 0, true},
    {"magnifierCombo", "ComboBox", nullptr, 0x50230003, 72, 366, 60, 120, 120, 0, true},
    {"sampleLabel", "Static", "Sa&mple", 0x50000000, 150, 370, 45, 20, 0, 0, true},
    {"sampleCombo", "ComboBox", nullptr, 0x50230003, 195, 366, 80, 160, 121, 0, true},
};
constexpr int kControlCount = sizeof kExpected / sizeof kExpected[0];

inline int resolve(int size, int client) { return size > W / 2 ? client - (W - size) : size; }


}  // namespace expected_options
