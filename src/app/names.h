// Names and sizes that the whole program shares. No windows.h: pure files include this too.
#pragma once

constexpr char kProgramTitle[] = "Tintlet 2.51";
constexpr char kBoxClassName[] = "TintletApp";
constexpr char kOptionsClassName[] = "TintletOptions";
constexpr char kSingleInstanceName[] = "TintletRunning";
constexpr char kDefaultTemplate[] = "RGB(#r,#g,#b)";

constexpr int kAboutIconCount = 3;  // the About page's icon statics

// The box's look before any setting is read, and what "Default&s" restores (COLORREF values).
constexpr unsigned kDefaultBaseColor = 0x808080;  // grey
constexpr unsigned kDefaultTextColor = 0xFFFFFF;  // white
constexpr int kDefaultFontHeight = -11;
constexpr int kDefaultFontWeight = 400;  // FW_NORMAL
constexpr char kDefaultFaceName[] = "Tahoma";
constexpr int kTemplateSize = 100;  // the template field with its terminating zero

// Tray menu command ids. The notations' ids, 10 to 16 and 50 to 54, are in kNotations (export/notation.h).
enum MenuCommand {
  kCmdExit = 1, kCmdShowHide = 2, kCmdOptions = 3, kCmdFormat = 4, kCmdColors = 5, kCmdDisplay = 7,
  kCmdCopy = 8, kCmdNudge = 9, kCmdDecimal = 20, kCmdHexadecimal = 21, kCmdMicro = 30, kCmdNormal = 31,
  kCmdZoom = 32, kCmdMouseMode = 40, kCmdHistory = 57, kCmdHistoryEmpty = 58, kCmdClearHistory = 59,
  kCmdFirstHistory = 60, kCmdLastHistory = 71, kCmdContrast = 33, kCmdPaste = 86, kCmdSeparator = 1000,
  kCmdCopyAllHistory = 55, kCmdSaveHistory = 56,
  // The Display submenu's "Ma&gnifier" and "&Sample" submenus; their items, in the order of kMagnifierScales
  // and kSampleSides (box/area_mean.h), have the ids from the first one on.
  kCmdMagnifierMenu = 79, kCmdFirstScale = 80, kCmdLastScale = 83,
  kCmdSampleMenu = 89, kCmdFirstSample = 90, kCmdLastSample = 96
};

constexpr unsigned kTrayCallbackMsg = 0x7E8;  // WM_USER + 1000
constexpr unsigned kTickTimerId = 1;
constexpr unsigned kSaveTimerId = 2;  // the box's look for changed settings, about once a second
constexpr unsigned kTrayRetryTimerId = 3;
