// Steps that drive the system dialogs and message boxes the program opens. They run one after
// another from a timer of the test thread, so they run inside the modal loop that the command
// under test is waiting in, and everything stays on the program's one thread.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "harness.h"

constexpr char kColorDialogTitle[] = "Tintlet 2.51 Color Dialog";
constexpr char kFontDialogTitle[] = "Tintlet 2.51 Font Dialog";
constexpr char kMessageBoxTitle[] = "Tintlet 2.51";
constexpr char kSaveHistoryTitle[] = "Save history as";

// A dialog of this process with this exact title, or null.
inline HWND findDialog(const char* title) { return FindWindowA("#32770", title); }

struct TitleSearch {
  const char* title;
  std::vector<HWND> found;
};

inline BOOL CALLBACK collectTitled(HWND wnd, LPARAM lp) {
  auto* search = reinterpret_cast<TitleSearch*>(lp);
  char text[128] = {}, cls[16] = {};
  GetWindowTextA(wnd, text, sizeof text);
  GetClassNameA(wnd, cls, sizeof cls);
  if (std::string(cls) == "#32770" && std::string(text) == search->title) search->found.push_back(wnd);
  return TRUE;
}

// Every top-level dialog window with this exact title.
inline std::vector<HWND> dialogsTitled(const char* title) {
  TitleSearch search{title, {}};
  EnumWindows(collectTitled, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

struct DialogScript {
  struct Step {
    bool waits;                  // polled until it returns true; else run once
    std::function<bool()> run;
  };
  std::vector<Step> steps;
  size_t next = 0;
  DWORD deadline = 0;
  bool timedOut = false;
  UINT_PTR timer = 0;
  inline static DialogScript* running = nullptr;

  // A step run once. It may wait in a modal loop itself; the steps after it go on meanwhile.
  DialogScript& then(std::function<void()> act) {
    steps.push_back({false, [act] { act(); return true; }});
    return *this;
  }
  // A step that holds the script until `ready` is true.
  DialogScript& until(std::function<bool()> ready) {
    steps.push_back({true, std::move(ready)});
    return *this;
  }
  // Holds the script until the dialog titled `title` is shown; `*dialog` receives it.
  DialogScript& untilShown(const char* title, HWND* dialog) {
    return until([title, dialog] {
      *dialog = findDialog(title);
      return *dialog && IsWindowVisible(*dialog);
    });
  }
  // Lets the program run for `ms` milliseconds (its timer ticks inside the modal loop too).
  DialogScript& pause(int ms) {
    auto end = std::make_shared<DWORD>(0);
    return until([end, ms] {
      if (!*end) *end = GetTickCount() + ms;
      return static_cast<int>(GetTickCount() - *end) >= 0;
    });
  }

  void start(int timeoutMs = 15000) {
    deadline = GetTickCount() + timeoutMs;
    running = this;
    timer = SetTimer(nullptr, 0, 10, tick);
  }
  bool finished() const { return next == steps.size(); }
  ~DialogScript() {
    KillTimer(nullptr, timer);
    if (running == this) running = nullptr;
  }

  DialogScript() = default;
  DialogScript(const DialogScript&) = delete;
  DialogScript& operator=(const DialogScript&) = delete;

  static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
    DialogScript* s = running;
    if (!s || s->timedOut) return;
    if (static_cast<int>(GetTickCount() - s->deadline) >= 0 && !s->finished()) {
      // Out of time: close what is open so the command under test returns and the test can fail.
      s->timedOut = true;
      ADD_FAILURE() << "the script stopped at step " << s->next;
      for (const char* title : {kColorDialogTitle, kFontDialogTitle, kMessageBoxTitle, kSaveHistoryTitle})
        for (HWND d : dialogsTitled(title)) PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
      return;
    }
    while (!s->finished()) {
      Step& step = s->steps[s->next];
      if (step.waits) {
        if (!step.run()) return;
        ++s->next;
      } else {
        ++s->next;  // first, so that the ticks inside a modal loop this step opens go on
        step.run();
      }
      if (s != running) return;
    }
  }
};
