// The colour history over a long day: 10 000 real copies through the copy hotkey, each of a new colour under
// the pointer, so that every copy builds the History submenu and its twelve swatches again. Every 100th copy
// an entry is chosen from the submenu too, and every 2 500th "C&lear history" empties it. A warm-up of 500
// copies does each of these first. Prints the memory and the GDI objects of the process as it goes, and how
// many swatches of earlier builds are still alive; none of them may grow after the warm-up.
//   history_soak [COPIES]   (10 000 unless told; rounded up to a multiple of 2 500)
#include "soak_figures.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/gdi.h"
#include "app/startup.h"
#include "app/state.h"
#include "history/history_menu.h"
#include "box/box.h"
#include "settings/settings.h"

namespace {

constexpr int kWarmUp = 500;
constexpr int kClearEvery = 2500;
constexpr int kEntryEvery = 100;
constexpr long kResidentWobbleKiB = 64;
constexpr POINT kPointer = {400, 300};

// A new colour at every copy.
COLORREF colorOfCopy(int n) { return RGB(n & 0xFF, (n >> 8) & 0xFF, 0x40 + ((n >> 16) & 0x3F)); }

struct Counts {
  int copies = 0, newColors = 0, entries = 0, clears = 0;
  long staleSwatches = 0;  // swatches of an earlier build found still alive
};

std::vector<HBITMAP> currentSwatches() {
  return std::vector<HBITMAP>(historyMenuState.historySwatches, historyMenuState.historySwatches + settings.history.count);
}

// Copy `i` of a run: a new colour under the pointer, a tick to read it, the copy hotkey, what the schedule asks.
void soakCopy(int i, HDC screen, Counts& n) {
  const std::vector<HBITMAP> before = currentSwatches();
  paintUnderPointer(screen, kPointer, colorOfCopy(n.copies + 1));
  onBoxTick(app.boxWnd);
  SendMessageA(app.boxWnd, WM_HOTKEY, kActionCopy, 0);
  ++n.copies;
  if (settings.history.count > 0 && settings.history.colors[0] == colorOfCopy(n.copies)) ++n.newColors;
  if (i % kEntryEvery == 0) {
    SendMessageA(app.boxWnd, WM_COMMAND, kCmdFirstHistory + 5, 0);
    ++n.entries;
  }
  if (i % kClearEvery == 0) {
    SendMessageA(app.boxWnd, WM_COMMAND, kCmdClearHistory, 0);
    ++n.clears;
  }
  drainMessages();
  for (HBITMAP b : before)
    if (GetObjectType(b) != 0) ++n.staleSwatches;
}

}  // namespace

int main(int argc, char** argv) {
  const int asked = argc > 1 ? std::atoi(argv[1]) : 10000;
  const int copies = (asked + kClearEvery - 1) / kClearEvery * kClearEvery;
  if (!startWithoutTimer(kPointer)) return 1;

  WindowDC screen(GetDesktopWindow());
  Counts warmUp;
  for (int i = 1; i <= kWarmUp; ++i) soakCopy(i, screen.dc, warmUp);
  std::printf("warm-up: %d copies, %d entries chosen\n", warmUp.copies, warmUp.entries);
  SendMessageA(app.boxWnd, WM_COMMAND, kCmdClearHistory, 0);  // each sample point follows a clearing
  drainMessages();

  std::printf("then %d copies of new colours; an entry chosen every %d, the history cleared every %d\n", copies,
              kEntryEvery, kClearEvery);
  std::printf("%7s %12s %12s %12s\n", "copy", "resident KiB", "private KiB", "GDI objects");
  const Sample first = sample(0);
  printSample(first);
  Sample last = first;
  Counts n;
  n.copies = warmUp.copies;
  for (int i = 1; i <= copies; ++i) {
    soakCopy(i, screen.dc, n);
    if (i % kClearEvery == 0) printSample(last = sample(i));
  }
  std::printf("\ncopies that entered a new colour first: %d of %d; entries chosen %d; clearings %d\n", n.newColors,
              copies, n.entries, n.clears);
  std::printf("swatches of an earlier build still alive after the next: %ld\n", n.staleSwatches + warmUp.staleSwatches);
  const bool grew = last.residentKiB > first.residentKiB + kResidentWobbleKiB || last.privateKiB > first.privateKiB ||
                    last.gdi > first.gdi || n.staleSwatches > 0;
  std::printf("growth after the warm-up: resident %+ld KiB (up to %+ld is paging), private bytes %+ld KiB, "
              "GDI objects %+ld%s   goal none: %s\n", last.residentKiB - first.residentKiB, kResidentWobbleKiB,
              last.privateKiB - first.privateKiB, last.gdi - first.gdi,
              first.gdi < 0 ? " (not countable here)" : "", grew ? "MISSED" : "met");
  std::fflush(stdout);
  return exitTintlet();
}
