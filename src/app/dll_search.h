// Where the program's DLLs come from: the system folder only, never the folder it was unpacked in.
#pragma once
#include <windows.h>

// Limits the DLL search of the whole process to the system folder. Called before anything is loaded;
// on a system that does not know the call the search stays as it was.
void restrictDllSearch();
// The system's DLL of that name, loaded from the system folder only; null when there is none.
HMODULE loadSystemLibrary(const char* name);
