// The font and colour dialogs of the real program, driven through their own controls.
#include <algorithm>
#include <string>
#include <vector>

#include "dialog_script.h"
#include "harness.h"

#include "app/gdi.h"
#include "app/names.h"
#include "app/startup.h"
#include "app/state.h"
#include "options/options.h"
#include "settings/settings.h"
#include "box/box.h"

namespace {

// Controls of the system dialogs.
constexpr int kRedField = 706, kGreenField = 707, kBlueField = 708;
constexpr int kAddCustomColor = 712;
constexpr int kFaceCombo = 1136, kSizeCombo = 1138, kTextColorCombo = 1139, kScriptCombo = 1140;
constexpr int kFontApply = 1026;

std::string storedText(const char* name) {
  const std::string bytes = storedBytes(name);
  return bytes.substr(0, bytes.find('\0'));
}

std::string bytesOf(COLORREF c) { return std::string(reinterpret_cast<const char*>(&c), sizeof c); }

COLORREF fieldsOf(HWND dialog) {
  return RGB(GetDlgItemInt(dialog, kRedField, nullptr, FALSE), GetDlgItemInt(dialog, kGreenField, nullptr, FALSE),
             GetDlgItemInt(dialog, kBlueField, nullptr, FALSE));
}

void typeIntoFields(HWND dialog, COLORREF c) {
  SetDlgItemInt(dialog, kRedField, GetRValue(c), FALSE);
  SetDlgItemInt(dialog, kGreenField, GetGValue(c), FALSE);
  SetDlgItemInt(dialog, kBlueField, GetBValue(c), FALSE);
}

void click(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
void closeDialog(HWND dialog, int how) { SendMessageA(dialog, WM_COMMAND, how, 0); }

void pressColorButton() { SendMessageA(optionsControls[kColorButton], BM_CLICK, 0, 0); }
void pressTrayColors() { SendMessageA(app.boxWnd, WM_COMMAND, kCmdColors, 0); }  // as the menu sends it
void pressFontButton() { SendMessageA(optionsControls[kFontButton], BM_CLICK, 0, 0); }

// The pixel of the box's top-left corner, as the screen shows it.
COLORREF boxCornerPixel() {
  RECT r;
  GetWindowRect(app.boxWnd, &r);
  WindowDC screen(GetDesktopWindow());
  return GetPixel(screen.dc, r.left, r.top);
}

COLORREF brushColor(HBRUSH brush) {
  LOGBRUSH b = {};
  if (!GetObjectA(brush, sizeof b, &b)) return CLR_INVALID;
  return b.lbColor;
}

void expectLiveBaseBrush() {
  EXPECT_EQ(GetObjectType(app.baseBrush), static_cast<DWORD>(OBJ_BRUSH));
  EXPECT_EQ(brushColor(app.baseBrush), settings.baseColor);
  EXPECT_EQ(reinterpret_cast<HBRUSH>(GetClassLongPtrA(app.boxWnd, GCLP_HBRBACKGROUND)), app.baseBrush);
}

// Real keys, released again when the test ends however it ends.
struct HeldKeys {
  static void send(WORD vk, bool down) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &in, sizeof in);
  }
  ~HeldKeys() {
    send(VK_CONTROL, false);
    send(VK_SHIFT, false);
  }
};

}  // namespace

TEST(ColorDialog, OkThroughColorSetsTheBackgroundAndTheTrayViewerLeavesIt) {
  clearSettings();
  SetCursorPos(40, 720);  // the box away from the dialogs
  startTintlet();
  openOptions();
  struct Case {
    const char* how;
    void (*open)();
    int closeWith;
    COLORREF chosen;
    bool applied;
  };
  const Case cases[] = {
      {"Co&lor, OK", pressColorButton, IDOK, RGB(12, 200, 34), true},
      {"Co&lor, Cancel", pressColorButton, IDCANCEL, RGB(90, 1, 2), false},
      {"tray Co&lors, OK", pressTrayColors, IDOK, RGB(7, 8, 250), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    const COLORREF before = settings.baseColor;
    const HBRUSH oldBrush = app.baseBrush;
    HWND dialog = nullptr, owner = nullptr, inState = nullptr;
    COLORREF shown = 0;
    DialogScript script;
    script.untilShown(kColorDialogTitle, &dialog)
        .then([&] {
          owner = GetWindow(dialog, GW_OWNER);
          inState = optionsState.colorDialogWnd;
          shown = fieldsOf(dialog);
          typeIntoFields(dialog, c.chosen);
          click(dialog, kAddCustomColor);
          closeDialog(dialog, c.closeWith);
        });
    script.start();
    c.open();
    ASSERT_TRUE(script.finished());
    EXPECT_EQ(shown, before) << "the dialog opens on the box's background colour";
    EXPECT_EQ(owner, nullptr);
    EXPECT_EQ(inState, dialog);
    EXPECT_EQ(optionsState.colorDialogWnd, nullptr);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_NE(std::find(settings.customColors, settings.customColors + 16, c.chosen), settings.customColors + 16);
    if (c.applied) {
      EXPECT_EQ(settings.baseColor, c.chosen);
      EXPECT_EQ(GetObjectType(oldBrush), 0u) << "the replaced brush is deleted";
    } else {
      EXPECT_EQ(settings.baseColor, before);
      EXPECT_EQ(app.baseBrush, oldBrush);
    }
    expectLiveBaseBrush();
    pumpFor(50);
    EXPECT_EQ(boxCornerPixel(), settings.baseColor);
  }
  const std::string custom(reinterpret_cast<const char*>(settings.customColors), sizeof settings.customColors);
  EXPECT_EQ(exitTintlet(), 0);
  EXPECT_EQ(storedBytes("customclr"), custom);
  EXPECT_NE(storedBytes("customclr").find(bytesOf(RGB(7, 8, 250))), std::string::npos);
  EXPECT_EQ(storedText("basecolor"), "2279436");  // 12 + 200 * 256 + 34 * 65536
}

TEST(ColorDialog, SecondPressBringsTheOpenDialogBack) {
  clearSettings();
  startTintlet();
  openOptions();
  struct Case {
    const char* how;
    const char* title;
    void (*open)();
    void (*again)();
  };
  const Case cases[] = {
      {"Co&lor twice", kColorDialogTitle, pressColorButton, pressColorButton},
      {"Co&lor, then the tray's Co&lors", kColorDialogTitle, pressColorButton, pressTrayColors},
      {"&Font twice", kFontDialogTitle, pressFontButton, pressFontButton},
  };
  SendMessageA(app.optionsWnd, WM_HSCROLL, SB_RIGHT, 0);  // 70% opacity, which "Default&s" would undo
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    HWND dialog = nullptr;
    bool minimised = false, iconicAfter = true, visibleAfter = false;
    size_t count = 0;
    HWND front = nullptr;
    DialogScript script;
    script.untilShown(c.title, &dialog)
        .then([&] {
          ShowWindow(dialog, SW_MINIMIZE);
          minimised = IsIconic(dialog) != 0;
          c.again();
          iconicAfter = IsIconic(dialog) != 0;
          visibleAfter = IsWindowVisible(dialog) != 0;
          front = GetForegroundWindow();
          count = dialogsTitled(c.title).size();
          SendMessageA(optionsControls[kBoxDefaultsButton], BM_CLICK, 0, 0);  // refused while a dialog is open
          closeDialog(dialog, IDCANCEL);
        });
    script.start();
    c.open();
    ASSERT_TRUE(script.finished());
    EXPECT_TRUE(minimised);
    EXPECT_FALSE(iconicAfter);
    EXPECT_TRUE(visibleAfter);
    EXPECT_EQ(front, dialog);
    EXPECT_EQ(count, 1u);
    EXPECT_TRUE(dialogsTitled(c.title).empty());
    EXPECT_EQ(settings.opacityPercent, 70);
  }
  EXPECT_EQ(optionsState.fontDialogWnd, nullptr);
  EXPECT_EQ(optionsState.colorDialogWnd, nullptr);
  SendMessageA(optionsControls[kBoxDefaultsButton], BM_CLICK, 0, 0);
  EXPECT_EQ(settings.opacityPercent, 100);
  EXPECT_EQ(exitTintlet(), 0);
}

TEST(ColorDialog, ShiftCopiesThePixelUnderThePointerIntoTheFields) {
  clearSettings();
  // Right of the Options window, which covers the middle of the screen down to y = 584.
  ColorWindow target({700, 500, 800, 600}, RGB(255, 0, 0));
  SetCursorPos(750, 580);
  startTintlet();
  openOptions();
  HeldKeys keys;
  HWND dialog = nullptr;
  struct Seen { const char* when; COLORREF fields; };
  std::vector<Seen> seen;
  auto record = [&](const char* when) { return [&seen, &dialog, when] { seen.push_back({when, fieldsOf(dialog)}); }; };
  auto fieldsShow = [&](COLORREF c) { return [&dialog, c] { return fieldsOf(dialog) == c; }; };
  DialogScript script;
  script.untilShown(kColorDialogTitle, &dialog)
      .pause(150)
      .then(record("without SHIFT"))
      .then([] { HeldKeys::send(VK_SHIFT, true); })
      .until(fieldsShow(RGB(255, 0, 0)))
      .then([&] {
        HeldKeys::send(VK_CONTROL, true);
        target.setColor(RGB(0, 0, 255));
      })
      .pause(150)
      .then(record("with CTRL and SHIFT"))
      .then([] { HeldKeys::send(VK_CONTROL, false); })
      .until(fieldsShow(RGB(0, 0, 255)))  // the same hold works again once CTRL is up
      .then([] { SendMessageA(app.boxWnd, WM_HOTKEY, kActionShowHide, 0); })
      .until([] { return app.boxShown == 0; })
      .then([&] { target.setColor(RGB(0, 255, 0)); })
      .pause(150)
      .then(record("with the box hidden"))
      .then([&] {
        HeldKeys::send(VK_SHIFT, false);
        SendMessageA(app.boxWnd, WM_HOTKEY, kActionShowHide, 0);
      })
      .until([] { return app.boxShown == 1; })
      .then([&] { closeDialog(dialog, IDCANCEL); });
  script.start();
  pressColorButton();
  ASSERT_TRUE(script.finished());
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0].fields, RGB(0x80, 0x80, 0x80)) << seen[0].when;
  EXPECT_EQ(seen[1].fields, RGB(255, 0, 0)) << seen[1].when;
  EXPECT_EQ(seen[2].fields, RGB(0, 0, 255)) << seen[2].when;
  EXPECT_EQ(settings.baseColor, RGB(0x80, 0x80, 0x80));
  // Without the dialog the rule has nowhere to write: SHIFT over a pixel changes nothing.
  HeldKeys::send(VK_SHIFT, true);
  pumpFor(100);
  HeldKeys::send(VK_SHIFT, false);
  EXPECT_EQ(optionsState.colorDialogWnd, nullptr);
  EXPECT_EQ(exitTintlet(), 0);
}

// OK ends the colour dialog, but while a font dialog opened from inside it is still open its call
// cannot return yet; SHIFT held meanwhile must not change the colour that OK chose.
TEST(ColorDialog, ShiftAfterOkLeavesTheChosenColour) {
  clearSettings();
  ColorWindow target({700, 500, 800, 600}, RGB(0, 255, 0));  // right of the Options window
  SetCursorPos(750, 580);
  startTintlet();
  openOptions();
  HeldKeys keys;
  HWND colorDialog = nullptr, fontDialog = nullptr;
  DialogScript script;
  script.untilShown(kColorDialogTitle, &colorDialog)
      .then([&] { typeIntoFields(colorDialog, RGB(70, 80, 90)); })
      .then(pressFontButton)
      .untilShown(kFontDialogTitle, &fontDialog)
      .then([&] {
        closeDialog(colorDialog, IDOK);
        HeldKeys::send(VK_SHIFT, true);
      })
      .pause(150)
      .then([&] {
        HeldKeys::send(VK_SHIFT, false);
        closeDialog(fontDialog, IDCANCEL);
      });
  script.start();
  pressColorButton();
  ASSERT_TRUE(script.finished());
  EXPECT_EQ(settings.baseColor, RGB(70, 80, 90));
  EXPECT_EQ(exitTintlet(), 0);
}

namespace {

std::vector<std::string> comboTexts(HWND combo) {
  std::vector<std::string> texts;
  const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char text[LF_FACESIZE * 2] = {};
    SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    texts.push_back(text);
  }
  return texts;
}

// Picks an entry of one of the font dialog's combo boxes the way a user's selection does.
void selectEntry(HWND dialog, int id, int index) {
  const HWND combo = GetDlgItem(dialog, id);
  SendMessageA(combo, CB_SETCURSEL, index, 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

int entryWithData(HWND dialog, int id, LPARAM data) {
  const HWND combo = GetDlgItem(dialog, id);
  const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i)
    if (SendMessageA(combo, CB_GETITEMDATA, i, 0) == data) return i;
  return -1;
}

struct FontChoice {
  std::string face;
  int points;
  COLORREF color;
};

void choose(HWND dialog, const FontChoice& f) {
  const HWND faces = GetDlgItem(dialog, kFaceCombo);
  selectEntry(dialog, kFaceCombo,
              static_cast<int>(SendMessageA(faces, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                            reinterpret_cast<LPARAM>(f.face.c_str()))));
  selectEntry(dialog, kSizeCombo, entryWithData(dialog, kSizeCombo, f.points));
  selectEntry(dialog, kTextColorCombo, entryWithData(dialog, kTextColorCombo, f.color));
}

// The font height the dialog gives a size in points on this screen.
int heightOf(int points) {
  WindowDC screen(GetDesktopWindow());
  return -MulDiv(points, GetDeviceCaps(screen.dc, LOGPIXELSY), 72);
}

std::string faceOf(HFONT font) {
  LOGFONTA f = {};
  GetObjectA(font, sizeof f, &f);
  return f.lfFaceName;
}

}  // namespace

TEST(FontDialog, ApplyShowsTheChoiceAtOnceAndOnlyOkOrApplyKeepIt) {
  clearSettings();
  startTintlet();
  openOptions();
  // Two TrueType faces other than the box's own, as this prefix lists them.
  std::vector<std::string> faces;
  {
    HWND dialog = nullptr;
    std::vector<std::string> listed;
    std::vector<LRESULT> sizes, faceTypes;
    LRESULT initialColor = 0;
    bool applyShown = false, colorsShown = false, scriptsEnabled = true;
    HWND owner = nullptr, inState = nullptr;
    DialogScript script;
    script.untilShown(kFontDialogTitle, &dialog).then([&] {
      owner = GetWindow(dialog, GW_OWNER);
      inState = optionsState.fontDialogWnd;
      const HWND faceCombo = GetDlgItem(dialog, kFaceCombo);
      listed = comboTexts(faceCombo);
      for (size_t i = 0; i < listed.size(); ++i) faceTypes.push_back(SendMessageA(faceCombo, CB_GETITEMDATA, i, 0));
      const HWND sizeCombo = GetDlgItem(dialog, kSizeCombo);
      for (int i = 0; i < SendMessageA(sizeCombo, CB_GETCOUNT, 0, 0); ++i)
        sizes.push_back(SendMessageA(sizeCombo, CB_GETITEMDATA, i, 0));
      const HWND colorCombo = GetDlgItem(dialog, kTextColorCombo);
      initialColor = SendMessageA(colorCombo, CB_GETITEMDATA, SendMessageA(colorCombo, CB_GETCURSEL, 0, 0), 0);
      applyShown = IsWindowVisible(GetDlgItem(dialog, kFontApply));
      colorsShown = IsWindowVisible(colorCombo);
      scriptsEnabled = IsWindowEnabled(GetDlgItem(dialog, kScriptCombo));
      closeDialog(dialog, IDCANCEL);
    });
    script.start();
    pressFontButton();
    ASSERT_TRUE(script.finished());
    EXPECT_EQ(owner, nullptr);
    EXPECT_EQ(inState, dialog);
    EXPECT_EQ(optionsState.fontDialogWnd, nullptr);
    EXPECT_EQ(initialColor, static_cast<LRESULT>(RGB(255, 255, 255)));
    EXPECT_TRUE(applyShown);
    EXPECT_TRUE(colorsShown);
    EXPECT_FALSE(scriptsEnabled);
    ASSERT_FALSE(sizes.empty());
    for (LRESULT points : sizes) {
      EXPECT_GE(points, 6);
      EXPECT_LE(points, 10);
    }
    for (size_t i = 0; i < listed.size(); ++i) {
      EXPECT_TRUE(faceTypes[i] & TRUETYPE_FONTTYPE) << listed[i] << " is listed but not TrueType";
      if (listed[i] != "Tahoma" && listed[i][0] != '@' && faces.size() < 2) faces.push_back(listed[i]);
    }
    ASSERT_EQ(faces.size(), 2u) << "the prefix has too few TrueType faces for this test";
  }

  const FontChoice first = {faces[0], 10, RGB(255, 0, 0)};
  const FontChoice second = {faces[1], 9, RGB(0, 0, 255)};
  struct Case {
    const char* how;
    std::vector<FontChoice> choices;  // each choice but the last is applied
    int closeWith;
    const FontChoice* kept;           // null: the look before the dialog
    const FontChoice* opensOn;        // null: the start-up look, whose face this prefix may lack
  };
  const Case cases[] = {
      {"a choice, Cancel", {first}, IDCANCEL, nullptr, nullptr},
      {"Apply, another choice, Cancel", {first, second}, IDCANCEL, &first, nullptr},
      {"a choice, OK", {second}, IDOK, &second, &first},
      {"no choice, OK", {}, IDOK, &second, &second},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    const LOGFONTA before = settings.boxLogFont;
    const COLORREF colorBefore = settings.textColor;
    HWND dialog = nullptr;
    std::vector<std::string> appliedFaces;
    std::vector<LONG> appliedHeights;
    std::vector<COLORREF> appliedColors;
    std::string openFace;
    LRESULT openSize = 0, openColor = 0;
    DialogScript script;
    script.untilShown(kFontDialogTitle, &dialog).then([&] {
      openFace = windowText(GetDlgItem(dialog, kFaceCombo));
      openSize = SendDlgItemMessageA(dialog, kSizeCombo, CB_GETITEMDATA,
                                     SendDlgItemMessageA(dialog, kSizeCombo, CB_GETCURSEL, 0, 0), 0);
      openColor = SendDlgItemMessageA(dialog, kTextColorCombo, CB_GETITEMDATA,
                                      SendDlgItemMessageA(dialog, kTextColorCombo, CB_GETCURSEL, 0, 0), 0);
      for (size_t i = 0; i < c.choices.size(); ++i) {
        choose(dialog, c.choices[i]);
        if (i + 1 == c.choices.size()) break;
        click(dialog, kFontApply);
        // Shown on the box while the dialog stays open.
        appliedFaces.push_back(IsWindowVisible(dialog) ? faceOf(app.boxFont) : "<dialog closed>");
        appliedHeights.push_back(settings.boxLogFont.lfHeight);
        appliedColors.push_back(settings.textColor);
      }
      closeDialog(dialog, c.closeWith);
    });
    script.start();
    pressFontButton();
    ASSERT_TRUE(script.finished());
    if (c.opensOn) {
      EXPECT_EQ(openFace, c.opensOn->face);
      EXPECT_EQ(openSize, c.opensOn->points);
    }
    EXPECT_EQ(openColor, static_cast<LRESULT>(c.opensOn ? c.opensOn->color : RGB(255, 255, 255)));
    for (size_t i = 0; i < appliedFaces.size(); ++i) {
      EXPECT_EQ(appliedFaces[i], c.choices[i].face);
      EXPECT_EQ(appliedHeights[i], heightOf(c.choices[i].points));
      EXPECT_EQ(appliedColors[i], c.choices[i].color);
    }
    const std::string face = c.kept ? c.kept->face : before.lfFaceName;
    EXPECT_EQ(settings.boxLogFont.lfFaceName, face);
    EXPECT_EQ(settings.boxLogFont.lfHeight, c.kept ? heightOf(c.kept->points) : before.lfHeight);
    EXPECT_EQ(settings.textColor, c.kept ? c.kept->color : colorBefore);
    EXPECT_EQ(faceOf(app.boxFont), face);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(app.boxTextWnd, WM_GETFONT, 0, 0)), app.boxFont);
    EXPECT_EQ(optionsState.fontDialogWnd, nullptr);
  }
  EXPECT_EQ(exitTintlet(), 0);
  EXPECT_EQ(storedText("facename"), second.face);
  EXPECT_EQ(storedText("fontheight"), std::to_string(heightOf(9)));
  EXPECT_EQ(storedText("textcolor"), "16711680");  // blue
}

// The colour dialog opened from inside the open font dialog: its OK replaces the brush, and what
// the font dialog's "Apply" paints next is painted with the new one.
TEST(ColorDialog, ColourChosenWhileTheFontDialogIsOpenPaintsWithTheNewBrush) {
  clearSettings();
  SetCursorPos(40, 720);  // the box away from the dialogs
  startTintlet();
  openOptions();
  const HBRUSH oldBrush = app.baseBrush;
  HWND fontDialog = nullptr, colorDialog = nullptr;
  COLORREF pixelAfterApply = 0;
  bool oldBrushDeleted = false;
  DialogScript script;
  script.untilShown(kFontDialogTitle, &fontDialog)
      .then(pressColorButton)
      .untilShown(kColorDialogTitle, &colorDialog)
      .then([&] {
        typeIntoFields(colorDialog, RGB(40, 60, 220));
        closeDialog(colorDialog, IDOK);
      })
      .until([&] { return optionsState.colorDialogWnd == nullptr; })
      .then([&] {
        oldBrushDeleted = GetObjectType(oldBrush) == 0;
        expectLiveBaseBrush();
        click(fontDialog, kFontApply);
      })
      .pause(50)
      .then([&] {
        pixelAfterApply = boxCornerPixel();
        closeDialog(fontDialog, IDCANCEL);
      });
  script.start();
  pressFontButton();
  ASSERT_TRUE(script.finished());
  EXPECT_EQ(settings.baseColor, RGB(40, 60, 220));
  EXPECT_TRUE(oldBrushDeleted);
  EXPECT_EQ(pixelAfterApply, RGB(40, 60, 220));
  expectLiveBaseBrush();
  EXPECT_EQ(exitTintlet(), 0);
}

// Ctrl+Shift+X while both dialogs are open, the font dialog opened from inside the colour dialog.
TEST(ColorDialog, ExitWithBothDialogsOpenClosesThemAndSavesTheCustomColours) {
  clearSettings();
  startTintlet();
  openOptions();
  HWND colorDialog = nullptr, fontDialog = nullptr;
  DialogScript script;
  script.untilShown(kColorDialogTitle, &colorDialog)
      .then([&] {
        typeIntoFields(colorDialog, RGB(1, 2, 3));
        click(colorDialog, kAddCustomColor);
      })
      .then(pressFontButton)
      .untilShown(kFontDialogTitle, &fontDialog)
      .then([&] {
        selectEntry(fontDialog, kTextColorCombo, entryWithData(fontDialog, kTextColorCombo, RGB(255, 0, 0)));
        selectEntry(fontDialog, kFaceCombo, 1);
        SendMessageA(app.boxWnd, WM_HOTKEY, kActionExit, 0);
      });
  script.start();
  pressColorButton();
  EXPECT_TRUE(script.finished());
  EXPECT_EQ(runMessageLoop(), 0);
  shutDown();
  EXPECT_FALSE(IsWindow(colorDialog));
  EXPECT_FALSE(IsWindow(fontDialog));
  EXPECT_TRUE(dialogsTitled(kColorDialogTitle).empty());
  EXPECT_TRUE(dialogsTitled(kFontDialogTitle).empty());
  EXPECT_EQ(optionsState.colorDialogWnd, nullptr);
  EXPECT_EQ(optionsState.fontDialogWnd, nullptr);
  EXPECT_EQ(storedBytes("customclr").substr(0, 4), bytesOf(RGB(1, 2, 3)));
  // What the dialogs held was never confirmed.
  EXPECT_EQ(storedText("basecolor"), "8421504");
  EXPECT_EQ(storedText("textcolor"), "16777215");
  EXPECT_EQ(storedText("facename"), "Tahoma");
}

// Black box: Tintlet.exe left through the tray menu's Exit with both dialogs open.
TEST(ColorDialog, TrayExitWithBothDialogsOpenEndsTheProgramWithCodeZero) {
  clearSettings();
  HANDLE process = startProcess(windowsPath(TINTLET_EXE));
  ASSERT_NE(process, nullptr);
  const HWND box = waitForWindow("TintletApp", nullptr);
  const HWND options = waitForWindow("TintletOptions", nullptr);
  ASSERT_NE(box, nullptr);
  ASSERT_NE(options, nullptr);
  PostMessageA(box, WM_COMMAND, kCmdColors, 0);
  const HWND colorDialog = waitForWindow("#32770", kColorDialogTitle);
  ASSERT_NE(colorDialog, nullptr);
  typeIntoFields(colorDialog, RGB(200, 100, 50));
  click(colorDialog, kAddCustomColor);
  const HWND fontButton = FindWindowExA(options, nullptr, "Button", "&Font");
  ASSERT_NE(fontButton, nullptr);
  PostMessageA(options, WM_COMMAND, MAKEWPARAM(kIdFontButton, BN_CLICKED), reinterpret_cast<LPARAM>(fontButton));
  ASSERT_NE(waitForWindow("#32770", kFontDialogTitle), nullptr);
  PostMessageA(box, WM_COMMAND, kCmdExit, 0);
  const DWORD code = waitForExit(process, 10000);
  if (code == STILL_ACTIVE) TerminateProcess(process, 1);
  CloseHandle(process);
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(storedBytes("customclr").substr(0, 4), bytesOf(RGB(200, 100, 50)));
}
