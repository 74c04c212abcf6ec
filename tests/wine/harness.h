// Helpers for tests that run the real program inside the test process under Wine.
#pragma once
#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "app/action_table.h"
#include "app/names.h"

// Dispatches the thread's messages through the program's own loop rule for `ms` milliseconds.
void pumpFor(int ms);
// Pumps until `done` is true or `timeoutMs` passed; returns `done()`.
bool pumpUntil(const std::function<bool()>& done, int timeoutMs = 3000);

// The program's registry key under HKEY_CURRENT_USER, and the older one it still reads.
constexpr char kSettingsKey[] = "Software\\Quillon\\Tintlet";
constexpr char kOlderSettingsKey[] = "Software\\Tintlet";

// Deletes the program's registry keys, current and older, so a start sees a first run.
void clearSettings();
// The bytes of one value of the program's registry key, "<missing>" or "<no key>" when there is none.
std::string storedBytes(const char* name);
// Runs the real start-up; fails the test if it does not reach the message loop.
void startTintlet();
// Sends Exit, runs the real loop to its end and the real shutdown; returns the exit code.
int exitTintlet();

// The Options action, then the tab of `page` chosen as a click on it would (0 Options, 1 Hotkeys, 2 Help,
// 3 About); the messages are dispatched after each step.
void openOptions(int page = 0);
// Chooses the tab of `page` in the open Options window, as a click on it would.
void switchOptionsPage(int page);
// Puts `text` into the template combo box's edit field in place of its text, as typing does: the field
// tells the combo box, and the combo box the Options window, that its text changed.
void typeTemplate(const char* text);

// Reads and closes every message box of the program, of this process or another, as it appears. It
// works from a thread of its own, since a message box holds the thread that opened it in its loop.
class MessageBoxCloser {
 public:
  struct Seen {
    std::string text;
    HWND owner;
    bool hadOk;  // closed with its own OK button
  };
  MessageBoxCloser();
  ~MessageBoxCloser();
  // Stops watching; a box being closed is closed first.
  void stop();
  std::vector<Seen> seen();
  std::vector<std::string> texts();
  void clear();
  MessageBoxCloser(const MessageBoxCloser&) = delete;
  MessageBoxCloser& operator=(const MessageBoxCloser&) = delete;

 private:
  void watch();
  std::atomic<bool> stopping_{false};
  std::mutex lock_;
  std::vector<Seen> seen_;
  std::thread thread_;
};

// A topmost popup window filled with one colour, or with a pattern drawn by `paint`.
struct ColorWindow {
  HWND wnd = nullptr;
  COLORREF color = 0;
  std::function<void(HDC, RECT)> paint;
  ColorWindow(RECT at, COLORREF c);
  ColorWindow(RECT at, std::function<void(HDC, RECT)> painter);
  ~ColorWindow();
  void setColor(COLORREF c);
  ColorWindow(const ColorWindow&) = delete;
  ColorWindow& operator=(const ColorWindow&) = delete;
};

// The entries of the Options page's template combo box, in list order.
std::vector<std::string> templateEntries();
// A control's rectangle in the Options window's client coordinates.
RECT rectInOptions(HWND ctrl);
// The children of the Options window in sibling order, which is their creation order.
std::vector<HWND> optionsChildren();
// The window text of `wnd`.
std::string windowText(HWND wnd);
// The clipboard's text up to its first zero byte, or "(clipboard busy)" when it cannot be opened.
std::string clipboardText();
// A Unix path as Wine's Windows path (Z:\...).
std::string windowsPath(const std::string& unixPath);
// The path of a test helper program built beside the tests.
std::string helperPath(const char* name);
// Starts a Windows program; returns its process handle (caller closes) or null.
HANDLE startProcess(const std::string& commandLine);
// Waits for a process to end while answering this thread's messages (a test thread blocked in a wait
// would itself be a hung window to the program); its exit code, or STILL_ACTIVE after `ms`.
DWORD waitForExit(HANDLE process, int ms);
// Runs one test of this program (DISABLED_ ones too) in a process of its own and returns its exit
// code: a fresh start of the program, with its own single-instance mutex and system settings.
DWORD runInNewProcess(const char* test);

// Another process that holds system hotkeys (hold_hotkey helper) until the test ends.
struct HotkeyHolder {
  HANDLE process = nullptr;
  explicit HotkeyHolder(const std::string& hotkeys);
  bool ready() const;
  // Waits until the holder holds its hotkeys or has ended; true when it ended because the system
  // refused one of them: someone else has it.
  bool refused() const;
  ~HotkeyHolder();
  HotkeyHolder(const HotkeyHolder&) = delete;
  HotkeyHolder& operator=(const HotkeyHolder&) = delete;
};

// Fills `dc` from (0, 0) with w x h pixels, each the 0x00RRGGBB value `pixel(x, y)` gives.
void paintPixels(HDC dc, int w, int h, const std::function<DWORD(int, int)>& pixel);

// What CF_TEXT holds: the text up to the first zero, and the whole block.
struct ClipboardText {
  bool present = false;
  std::string text;
  std::string block;
};
// The clipboard may be busy for a moment while Wine hands new contents to X: these try a few times.
bool openClipboardForTest(HWND owner);
ClipboardText readClipboard();
// Puts `text` on the clipboard as `owner`, another owner than the program; false when that failed.
bool putTextOnClipboard(HWND owner, const char* text);

// Finds a top-level window of this process or another by class and caption (either may be null).
HWND waitForWindow(const char* className, const char* caption, int timeoutMs = 5000);

// The system DPI of the prefix for programs started from now on; the earlier value is put back at the end.
struct PrefixDpi {
  DWORD old = 0;
  bool had = false;
  explicit PrefixDpi(DWORD dpi);
  ~PrefixDpi();
  static void set(DWORD dpi);
  PrefixDpi(const PrefixDpi&) = delete;
  PrefixDpi& operator=(const PrefixDpi&) = delete;
};

// Live GDI objects of this process, or -1 when they cannot be counted. Wine's GetGuiResources says 0, so
// under Wine they are counted in its handle table.
long liveGdiObjects();

// The real Tintlet.exe, or a copy of it at `exe`, as a process of its own, found through its colour box once
// it shows a colour.
struct RunningTintlet {
  HANDLE process = nullptr;
  HWND box = nullptr;
  HWND text = nullptr;
  explicit RunningTintlet(const std::string& exe = windowsPath(TINTLET_EXE)) {
    process = startProcess("\"" + exe + "\"");
    if (!process) return;
    pumpUntil([&] {
      box = FindWindowA(kBoxClassName, nullptr);
      text = box ? FindWindowExA(box, nullptr, "EDIT", nullptr) : nullptr;
      return text && IsWindowVisible(box) && !boxText().empty();
    }, 10000);
  }
  std::string boxText() const {
    char t[64] = {};
    DWORD_PTR ignored;
    SendMessageTimeoutA(text, WM_GETTEXT, sizeof t, reinterpret_cast<LPARAM>(t), SMTO_ABORTIFHUNG, 2000, &ignored);
    return t;
  }
  bool decimal() const { return boxText().find(' ') != std::string::npos; }
  // The form, told by the box height against its text line: normal 2h + 2, micro h + 2, zoom h + 30,
  // contrast 2h + 4.
  std::string form() const {
    RECT b, t;
    GetWindowRect(box, &b);
    GetWindowRect(text, &t);
    const int h = t.bottom - t.top, height = b.bottom - b.top;
    if (height == 2 * h + 2) return "normal";
    if (height == h + 2) return "micro";
    if (height == h + 30) return "zoom";
    if (height == 2 * h + 4) return "contrast";
    return "height " + std::to_string(height) + " for line " + std::to_string(h);
  }
  void action(int n) const {
    DWORD_PTR ignored;
    SendMessageTimeoutA(box, WM_HOTKEY, n, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
  }
  // A tray menu command, as the menu sends it to the box.
  void command(int id) const {
    DWORD_PTR ignored;
    SendMessageTimeoutA(box, WM_COMMAND, id, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
  }
  // Whether the Options page's radio button or check box with command `id` is checked.
  bool optionChecked(int id) const {
    DWORD_PTR state = 0;
    SendMessageTimeoutA(GetDlgItem(FindWindowA(kOptionsClassName, nullptr), id), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG,
                        2000, &state);
    return state == BST_CHECKED;
  }
  bool ended(int ms) const { return WaitForSingleObject(process, ms) == WAIT_OBJECT_0; }
  bool exit() {
    PostMessageA(box, WM_HOTKEY, kActionExit, 0);
    return ended(10000);
  }
  void kill() const {
    TerminateProcess(process, 1);
    WaitForSingleObject(process, 5000);
  }
  ~RunningTintlet() {
    if (!process) return;
    if (!ended(0)) TerminateProcess(process, 1);
    CloseHandle(process);
  }
  RunningTintlet(const RunningTintlet&) = delete;
  RunningTintlet& operator=(const RunningTintlet&) = delete;
};
