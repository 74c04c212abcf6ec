// The history taken whole by the real program: "Copy &all" to the clipboard, and "&Save as..." through the
// system's Save dialog into palette files.
#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "dialog_script.h"
#include "harness.h"

#include "app/names.h"
#include "app/startup.h"
#include "app/state.h"
#include "box/box.h"
#include "history/palette.h"
#include "settings/settings.h"

namespace {

// Controls of the system's Save dialog.
constexpr int kTypeCombo = 0x470, kNameCombo = 0x47C, kNameEdit = 0x480;

constexpr COLORREF kA = RGB(0xFA, 0xDC, 0x1E), kB = RGB(5, 12, 255), kC = RGB(0x80, 0, 0x40);

HWND nameField(HWND dialog) {
  const HWND combo = GetDlgItem(dialog, kNameCombo);
  return combo ? combo : GetDlgItem(dialog, kNameEdit);
}

void typeName(HWND dialog, const std::string& name) {
  SendMessageA(nameField(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
}

std::string typedName(HWND dialog) {
  char text[MAX_PATH] = {};
  SendMessageA(nameField(dialog), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

// As a choice in the drop-down does: the new selection, then both notices a chosen entry sends the dialog
// (Wine's dialog acts on the second).
void chooseType(HWND dialog, int row) {
  const HWND combo = GetDlgItem(dialog, kTypeCombo);
  SendMessageA(combo, CB_SETCURSEL, row, 0);
  for (WORD notice : {CBN_SELCHANGE, CBN_SELENDOK})
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kTypeCombo, notice), reinterpret_cast<LPARAM>(combo));
}

int chosenType(HWND dialog) { return static_cast<int>(SendDlgItemMessageA(dialog, kTypeCombo, CB_GETCURSEL, 0, 0)); }

std::string shownFolder(HWND dialog) {
  char folder[MAX_PATH] = {};
  SendMessageA(dialog, CDM_GETFOLDERPATH, sizeof folder, reinterpret_cast<LPARAM>(folder));
  return folder;
}

void pressSave(HWND dialog) { SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0); }

// The dialog titled like the Save dialog that is not it: the question whether to replace a file.
HWND replaceQuestion(HWND saveDialog) {
  for (HWND d : dialogsTitled(kSaveHistoryTitle))
    if (d != saveDialog && IsWindowVisible(d)) return d;
  return nullptr;
}

std::string fileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return "<missing>";
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// "ä" in the ANSI code page, for names beyond ASCII.
std::string aUmlaut() {
  char text[8] = {};
  BOOL lost = FALSE;
  WideCharToMultiByte(CP_ACP, 0, L"\u00e4", 1, text, sizeof text - 1, nullptr, &lost);
  return lost ? "ae" : text;
}

// A fresh folder under the temporary folder, its name with a space and a letter beyond ASCII; removed
// with its files at the end.
struct Folder {
  std::string path;
  Folder() {
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    path = std::string(temp) + "Tintlet pal" + aUmlaut() + "ttes " + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(path.c_str(), nullptr);
  }
  std::string operator/(const std::string& name) const { return path + "\\" + name; }
  std::vector<std::string> files() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
  }
  ~Folder() {
    for (const std::string& name : files()) DeleteFileA((*this / name).c_str());
    RemoveDirectoryA(path.c_str());
  }
  Folder(const Folder&) = delete;
  Folder& operator=(const Folder&) = delete;
};

std::string storedHistory() {
  const std::string bytes = storedBytes("history");
  return bytes.substr(0, bytes.find('\0'));
}

// The real program, started fresh, with three colours copied: the history is kC, kB, kA.
class WholeHistory : public ::testing::Test {
 protected:
  void SetUp() override {
    clearSettings();
    SetCursorPos(50, 710);  // the box and its colour away from the dialog in the middle
    startTintlet();
    for (COLORREF c : {kA, kB, kC}) {
      show(c);
      SendMessageA(app.boxWnd, WM_HOTKEY, kActionCopy, 0);
    }
    ASSERT_EQ(settings.history.count, 3);
  }
  void TearDown() override {
    if (IsWindow(app.boxWnd)) EXPECT_EQ(exitTintlet(), 0);  // unless the test ended the program itself
  }
  void show(COLORREF c) {
    target_.setColor(c);
    ASSERT_TRUE(pumpUntil([&] { return settings.pickedColor == c && boxState.shownColor == c; })) << std::hex << c;
  }
  static void saveAs() { SendMessageA(app.boxWnd, WM_COMMAND, kCmdSaveHistory, 0); }  // as the menu sends it
  ColorWindow target_{{0, 660, 100, 760}, RGB(1, 1, 1)};
};

}  // namespace

TEST_F(WholeHistory, CopyAllPutsEveryEntryOnTheClipboardInTheNotation) {
  struct Case {
    UINT notationCommand;
    const char* text;
  };
  const Case cases[] = {
      {10, "#800040\r\n#050CFF\r\n#FADC1E"},               // "&HTML"
      {15, "128,0,64\r\n5,12,255\r\n250,220,30"},           // "D&ecimal"
  };
  for (const Case& c : cases) {
    SendMessageA(app.boxWnd, WM_COMMAND, c.notationCommand, 0);
    ASSERT_TRUE(putTextOnClipboard(target_.wnd, "before"));
    SendMessageA(app.boxWnd, WM_COMMAND, kCmdCopyAllHistory, 0);
    const ClipboardText got = readClipboard();
    EXPECT_EQ(got.text, c.text);
    EXPECT_EQ(got.block.size(), std::string(c.text).size() + 1) << "the block is the text and its zero";
  }
  ASSERT_EQ(settings.history.count, 3) << "the history takes nothing from its own copy";
  EXPECT_EQ(settings.history.colors[0], kC);

  SendMessageA(app.boxWnd, WM_COMMAND, kCmdClearHistory, 0);
  ASSERT_TRUE(putTextOnClipboard(target_.wnd, "kept"));
  SendMessageA(app.boxWnd, WM_COMMAND, kCmdCopyAllHistory, 0);
  EXPECT_EQ(readClipboard().text, "kept") << "an empty history copies nothing";
}

TEST_F(WholeHistory, SaveAsWritesTheChosenFormatWhereTheDialogSays) {
  Folder folder;
  struct Case {
    int type;
    std::string typed;     // the first one with the folder, the others in the folder the dialog remembers
    std::string file;      // what the name became
  };
  const Case cases[] = {
      {0, folder / ("Farbe " + aUmlaut() + " eins"), "Farbe " + aUmlaut() + " eins.gpl"},
      {1, "swatches", "swatches.ase"},
      {2, "colours.gpl", "colours.css"},  // the extension follows the type chosen after it
      {3, "tokens.json", "tokens.json"},
  };
  int lastType = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    HWND dialog = nullptr;
    int typeAtOpen = -1;
    std::string folderAtOpen, nameAfterType;
    const COLORREF elsewhere = RGB(33, 66, 99);
    DialogScript script;
    script.untilShown(kSaveHistoryTitle, &dialog)
        .then([&] {
          typeAtOpen = chosenType(dialog);
          folderAtOpen = shownFolder(dialog);
          target_.setColor(elsewhere);
        })
        .until([&] { return boxState.shownColor == elsewhere; })  // the box ticks on while the dialog is open
        .then([&] {
          typeName(dialog, c.typed);
          chooseType(dialog, c.type);
          nameAfterType = typedName(dialog);
          pressSave(dialog);
        });
    script.start();
    saveAs();
    ASSERT_TRUE(script.finished());
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(typeAtOpen, lastType) << "the dialog opens on the type of the last save";
    if (&c != &cases[0]) EXPECT_EQ(folderAtOpen, folder.path) << "and in its folder";
    if (c.type == 2) EXPECT_EQ(nameAfterType, c.file);
    const std::string bytes = fileBytes(folder / c.file);
    EXPECT_EQ(bytes, paletteBytes(kPaletteFormats[c.type].format, settings.history));
    if (c.type == 0) EXPECT_NE(bytes.find("\n250 220  30\t#FADC1E\n"), std::string::npos) << bytes;
    lastType = c.type;
    show(RGB(1, 1, 1));
  }
  std::vector<std::string> files = folder.files();
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files, (std::vector<std::string>{"Farbe " + aUmlaut() + " eins.gpl", "colours.css", "swatches.ase",
                                             "tokens.json"}))
      << "no temporary file is left";
}

TEST_F(WholeHistory, ATargetHeldOpenByAnotherProgramStaysAsItWas) {
  Folder folder;
  const std::string path = folder / "held open.gpl";
  {
    std::ofstream old(path, std::ios::binary);
    old << "GIMP Palette\nName: older\n#\n";
  }
  // Opened without sharing, as a program that keeps its file locked does.
  const HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  MessageBoxCloser messages;
  HWND dialog = nullptr, question = nullptr;
  DialogScript script;
  script.untilShown(kSaveHistoryTitle, &dialog)
      .then([&] {
        typeName(dialog, path);
        chooseType(dialog, 0);
        pressSave(dialog);  // waits in the question's loop; the next steps go on meanwhile
      })
      .until([&] { return (question = replaceQuestion(dialog)) != nullptr; })
      .then([&] { SendMessageA(question, WM_COMMAND, IDYES, 0); });
  script.start();
  saveAs();
  ASSERT_TRUE(script.finished());
  ASSERT_TRUE(pumpUntil([&] { return !messages.seen().empty(); }));
  messages.stop();
  CloseHandle(held);
  const std::string prefix = "The history could not be saved to\r\r" + path + "\r\r";
  const std::string text = messages.texts()[0];
  EXPECT_EQ(text.substr(0, prefix.size()), prefix);
  EXPECT_GT(text.size(), prefix.size()) << "the system's reason follows the path";
  EXPECT_EQ(fileBytes(path), "GIMP Palette\nName: older\n#\n");
  EXPECT_EQ(folder.files(), std::vector<std::string>{"held open.gpl"}) << "no temporary file is left";
}

// Exit and the end of the session reach the program inside the dialog's loop.
TEST_F(WholeHistory, ExitOrSessionEndWithTheDialogOpenSavesTheSettingsAndNoFile) {
  Folder folder;
  const std::string never = folder / "never.gpl";
  HWND dialog = nullptr;
  std::string storedAtSessionEnd;
  DialogScript session;
  session.untilShown(kSaveHistoryTitle, &dialog).then([&] {
    typeName(dialog, never);
    SendMessageA(app.boxWnd, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    storedAtSessionEnd = storedHistory();
    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  session.start();
  saveAs();
  ASSERT_TRUE(session.finished());
  EXPECT_EQ(storedAtSessionEnd, "800040,050CFF,FADC1E");

  clearSettings();
  DialogScript exitScript;
  exitScript.untilShown(kSaveHistoryTitle, &dialog).then([&] {
    typeName(dialog, never);
    SendMessageA(app.boxWnd, WM_HOTKEY, kActionExit, 0);
  });
  exitScript.start();
  saveAs();
  EXPECT_TRUE(exitScript.finished());
  EXPECT_EQ(runMessageLoop(), 0);
  shutDown();
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_TRUE(dialogsTitled(kSaveHistoryTitle).empty());
  EXPECT_EQ(storedHistory(), "800040,050CFF,FADC1E");
  EXPECT_TRUE(folder.files().empty()) << "a name never confirmed is not written";
}
