// Holds the clipboard open like a busy clipboard manager: hold_clipboard READY_EVENT RELEASE_EVENT [MS]
// Opens the clipboard, sets READY_EVENT, and closes it when RELEASE_EVENT is set or, given MS, after
// MS milliseconds (at most 30 s either way).
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[1]);
  const HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, argv[2]);
  if (!ready || !release) return 3;
  if (!OpenClipboard(nullptr)) return 1;
  SetEvent(ready);
  WaitForSingleObject(release, argc > 3 ? std::atoi(argv[3]) : 30000);
  CloseClipboard();
  return 0;
}
