// Names and sizes that the whole program shares. No windows.h: pure files include this too.
#pragma once

constexpr char kProgramTitle[] = "Tintlet 2.51";
constexpr char kBoxClassName[] = "TintletApp";
constexpr char kOptionsClassName[] = "TintletOptions";
constexpr char kSingleInstanceName[] = "TintletRunning";
constexpr char kDefaultTemplate[] = "RGB(#r,#g,#b)";

constexpr int kActionCount = 10;
// The actions whose hotkeys the nine-byte "hotchars" and "modifiers" hold; later ones have values of their own.
constexpr int kStoredHotkeyCount = 9;
constexpr int kAboutIconCount = 3;  // the About page's icon statics

// The box's look before any setting is read, and what "Default&s" restores (COLORREF values).
constexpr unsigned kDefaultBaseColor = 0x808080;  // grey
constexpr unsigned kDefaultTextColor = 0xFFFFFF;  // white
constexpr int kDefaultFontHeight = -11;
constexpr int kDefaultFontWeight = 400;  // FW_NORMAL
constexpr char kDefaultFaceName[] = "Tahoma";
constexpr int kTemplateSize = 100;  // the template field with its terminating zero

enum Action {
  kActionOptions, kActionDecHex, kActionShowHide, kActionFixColor, kActionStopMoving,
  kActionZoom, kActionCopy, kActionMicro, kActionExit, kActionNudge
};

// Tray menu command ids. The notations' ids, 10 to 16 and 50 to 54, are in kNotations (export/notation.h).
enum MenuCommand {
  kCmdExit = 1, kCmdShowHide = 2, kCmdOptions = 3, kCmdFormat = 4, kCmdColors = 5, kCmdDisplay = 7,
  kCmdCopy = 8, kCmdNudge = 9, kCmdDecimal = 20, kCmdHexadecimal = 21, kCmdMicro = 30, kCmdNormal = 31,
  kCmdZoom = 32, kCmdMouseMode = 40, kCmdHistory = 57, kCmdHistoryEmpty = 58, kCmdClearHistory = 59,
  kCmdFirstHistory = 60, kCmdLastHistory = 71, kCmdSeparator = 1000
};

constexpr unsigned kTrayCallbackMsg = 0x7E8;  // WM_USER + 1000
constexpr unsigned kTickTimerId = 1;
constexpr unsigned kTrayRetryTimerId = 2;
