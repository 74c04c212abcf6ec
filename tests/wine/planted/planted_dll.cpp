// A DLL that someone else left beside the program under a system DLL's name. Loading it is the fault:
// its DllMain leaves "planted.marker" in its own folder and does nothing else.
#include <windows.h>

#include <cstring>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(self, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return TRUE;
  char* slash = std::strrchr(path, '\\');
  if (!slash || slash + sizeof "planted.marker" > path + MAX_PATH) return TRUE;
  std::strcpy(slash + 1, "planted.marker");
  const HANDLE marker = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
  return TRUE;
}
