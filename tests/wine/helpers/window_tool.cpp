// Drives the windows of a running program from outside, for scripts:
//   window_tool wait CLASS [MS]          waits until a visible top-level window of CLASS exists (exit 1 if not)
//   window_tool rect CLASS               prints its window rectangle: left top right bottom
//   window_tool span CLASS               prints the rectangle around every visible top-level window of CLASS
//   window_tool send CLASS MSG WP LP     sends it a message and waits for the answer
//   window_tool post CLASS MSG WP LP     posts it a message
//   window_tool tab N                    clicks tab N of the Options window's tab control
//   window_tool centre CLASS ID          prints the screen centre of the child with that id: x y
//   window_tool child CLASS CHILD N send|post MSG WP LP
//                                        sends or posts to a child: CHILD is a control id, or a class name
//                                        with N picking the Nth child of that class (from 0)
//   window_tool settext CLASS CHILD N TEXT   sets a child's text (WM_SETTEXT), CHILD and N as above
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

long number(const char* text) { return std::strtol(text, nullptr, 0); }

HWND visibleWindow(const char* cls) {
  HWND wnd = FindWindowA(cls, nullptr);
  return wnd && IsWindowVisible(wnd) ? wnd : nullptr;
}

int waitFor(const char* cls, long ms) {
  for (long waited = 0; waited <= ms; waited += 50) {
    if (visibleWindow(cls)) return 0;
    Sleep(50);
  }
  return 1;
}

struct Span {
  const char* cls;
  RECT all;
  bool found;
};

BOOL CALLBACK addToSpan(HWND wnd, LPARAM lp) {
  Span* span = reinterpret_cast<Span*>(lp);
  char cls[64] = {};
  RECT r;
  if (!IsWindowVisible(wnd) || !GetClassNameA(wnd, cls, sizeof cls) || std::strcmp(cls, span->cls) ||
      !GetWindowRect(wnd, &r))
    return TRUE;
  if (span->found) UnionRect(&span->all, &span->all, &r);
  else span->all = r;
  span->found = true;
  return TRUE;
}

int printSpan(const char* cls) {
  Span span = {cls, {}, false};
  EnumWindows(addToSpan, reinterpret_cast<LPARAM>(&span));
  if (!span.found) return 1;
  std::printf("%ld %ld %ld %ld\n", span.all.left, span.all.top, span.all.right, span.all.bottom);
  return 0;
}

int printRect(HWND wnd) {
  RECT r;
  if (!wnd || !GetWindowRect(wnd, &r)) return 1;
  std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
  return 0;
}

// The tab control answers TCM_GETITEMRECT into its own process's memory, so the rectangle is read from there.
bool tabItemRect(HWND tab, int item, RECT* out) {
  DWORD pid = 0;
  GetWindowThreadProcessId(tab, &pid);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (!process) return false;
  void* remote = VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
  bool ok = remote && SendMessageA(tab, TCM_GETITEMRECT, item, reinterpret_cast<LPARAM>(remote)) &&
            ReadProcessMemory(process, remote, out, sizeof(RECT), nullptr);
  if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  return ok;
}

int clickTab(int item) {
  HWND options = FindWindowA("TintletOptions", nullptr);
  HWND tab = options ? FindWindowExA(options, nullptr, "SysTabControl32", nullptr) : nullptr;
  RECT r;
  if (!tab || !tabItemRect(tab, item, &r)) return 1;
  const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  PostMessageA(tab, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(tab, WM_LBUTTONUP, 0, at);
  return 0;
}

int printCentre(HWND parent, int id) {
  HWND child = parent ? GetDlgItem(parent, id) : nullptr;
  RECT r;
  if (!child || !GetWindowRect(child, &r)) return 1;
  std::printf("%ld %ld\n", (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  return 0;
}

bool isNumber(const char* text) { return text[0] >= '0' && text[0] <= '9'; }

HWND childOf(const char* cls, const char* child, const char* nth) {
  HWND parent = FindWindowA(cls, nullptr);
  if (!parent) return nullptr;
  if (isNumber(child)) return GetDlgItem(parent, static_cast<int>(number(child)));
  HWND found = nullptr;
  for (long n = number(nth); n >= 0; --n) {
    found = FindWindowExA(parent, found, child, nullptr);
    if (!found) return nullptr;
  }
  return found;
}

int sendOrPost(HWND wnd, const char* how, char** message) {
  if (!wnd) return 1;
  const UINT msg = static_cast<UINT>(number(message[0]));
  const WPARAM wp = static_cast<WPARAM>(number(message[1]));
  const LPARAM lp = static_cast<LPARAM>(number(message[2]));
  if (!std::strcmp(how, "send")) {
    SendMessageA(wnd, msg, wp, lp);
    return 0;
  }
  if (!std::strcmp(how, "post")) return PostMessageA(wnd, msg, wp, lp) ? 0 : 1;
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const char* command = argv[1];
  if (!std::strcmp(command, "wait")) return waitFor(argv[2], argc > 3 ? number(argv[3]) : 5000);
  if (!std::strcmp(command, "rect")) return printRect(FindWindowA(argv[2], nullptr));
  if (!std::strcmp(command, "span")) return printSpan(argv[2]);
  if (!std::strcmp(command, "tab")) return clickTab(static_cast<int>(number(argv[2])));
  if (!std::strcmp(command, "centre") && argc > 3)
    return printCentre(FindWindowA(argv[2], nullptr), static_cast<int>(number(argv[3])));
  if (!std::strcmp(command, "settext") && argc > 5) {
    HWND child = childOf(argv[2], argv[3], argv[4]);
    return child && SendMessageA(child, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[5])) ? 0 : 1;
  }
  if (!std::strcmp(command, "child") && argc > 8) return sendOrPost(childOf(argv[2], argv[3], argv[4]), argv[5], argv + 6);
  if (argc < 6) return 2;
  return sendOrPost(FindWindowA(argv[2], nullptr), command, argv + 3);
}
