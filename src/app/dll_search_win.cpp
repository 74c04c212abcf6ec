#include "app/dll_search.h"

#include <cstdio>

namespace {

typedef BOOL(WINAPI* SetDefaultDllDirectoriesFn)(DWORD);

}  // namespace

void restrictDllSearch() {
  // Looked up, not imported: systems without the update that brought it must still start.
  const FARPROC found = GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories");
  const auto restrict = reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void (*)()>(found));
  if (restrict) restrict(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

HMODULE loadSystemLibrary(const char* name) {
  if (HMODULE module = LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return module;
  // Systems that do not know the flag refuse it as a parameter: the full path then names the system's file.
  if (GetLastError() != ERROR_INVALID_PARAMETER) return nullptr;
  char folder[MAX_PATH];
  const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  char path[MAX_PATH + 64];
  if (std::snprintf(path, sizeof path, "%s\\%s", folder, name) >= static_cast<int>(sizeof path)) return nullptr;
  return LoadLibraryA(path);
}
