// A system function made to misbehave in this process: the test program's import of it, through which the
// program's own code (linked into the test program) calls it, points at a stand-in while the patch lives.
#pragma once
#include <windows.h>

class ImportPatch {
 public:
  ImportPatch(const char* dll, const char* function, const void* standIn) : slot_(importSlot(dll, function)) {
    if (slot_) original_ = replace(reinterpret_cast<ULONG_PTR>(standIn));
  }
  ~ImportPatch() {
    if (slot_) replace(original_);
  }
  bool active() const { return slot_ != nullptr; }
  // The real function, for a stand-in that lets some calls through.
  template <typename Fn>
  Fn original() const {
    return reinterpret_cast<Fn>(original_);
  }
  ImportPatch(const ImportPatch&) = delete;
  ImportPatch& operator=(const ImportPatch&) = delete;

 private:
  // The address slot of `function` of `dll` in this executable's import table.
  static ULONG_PTR* importSlot(const char* dllName, const char* function) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    const auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); dll->Name; ++dll) {
      if (lstrcmpiA(reinterpret_cast<const char*>(base + dll->Name), dllName) != 0) continue;
      auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->OriginalFirstThunk);
      auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
      for (; names->u1.AddressOfData; ++names, ++slots) {
        if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
        const auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
        if (lstrcmpA(reinterpret_cast<const char*>(byName->Name), function) == 0)
          return reinterpret_cast<ULONG_PTR*>(&slots->u1.Function);
      }
    }
    return nullptr;
  }
  ULONG_PTR replace(ULONG_PTR with) {
    DWORD protection;
    VirtualProtect(slot_, sizeof *slot_, PAGE_READWRITE, &protection);
    const ULONG_PTR before = *slot_;
    *slot_ = with;
    VirtualProtect(slot_, sizeof *slot_, protection, &protection);
    return before;
  }
  ULONG_PTR* slot_;
  ULONG_PTR original_ = 0;
};
