#include "history/palette_save.h"

#include <windows.h>
#include <commdlg.h>

#include <string>
#include <vector>

#include "app/error.h"
#include "app/error_text.h"
#include "app/state.h"
#include "history/palette.h"
#include "options/options.h"
#include "settings/settings.h"

namespace {

constexpr DWORD kNameSize = 32768;  // the longest path the system takes
constexpr char kDialogTitle[] = "Save history as";
constexpr int kTemporaryTries = 100;

// For the rest of the run: the folder and the type (a row of kPaletteFormats) of the last save.
std::string lastFolder;
int lastFormat = 0;
HWND saveDialogWnd = nullptr;

// "name\0*.ext\0" for each row; c_str() adds the zero that ends the list.
std::string filterList() {
  std::string filter;
  for (const PaletteFormatRow& row : kPaletteFormats) {
    filter += row.filterName;
    filter += '\0';
    filter += std::string("*.") + row.extension;
    filter += '\0';
  }
  return filter;
}

int formatOfFilterIndex(DWORD index) {
  return index >= 1 && index <= kPaletteFormatCount ? static_cast<int>(index) - 1 : lastFormat;
}

bool endsWithNoCase(const std::string& text, const std::string& end) {
  return text.size() > end.size() && lstrcmpiA(text.c_str() + text.size() - end.size(), end.c_str()) == 0;
}

// A name typed with another palette type's extension takes the new one; the default extension
// completes a name typed without one.
void onTypeChange(HWND dialog, int format) {
  const PaletteFormatRow& chosen = kPaletteFormats[format];
  SendMessageA(dialog, CDM_SETDEFEXT, 0, reinterpret_cast<LPARAM>(chosen.extension));
  std::vector<char> typed(kNameSize);
  if (SendMessageA(dialog, CDM_GETSPEC, typed.size(), reinterpret_cast<LPARAM>(typed.data())) <= 0) return;
  std::string name = typed.data();
  for (const PaletteFormatRow& row : kPaletteFormats) {
    const std::string old = std::string(".") + row.extension;
    if (!endsWithNoCase(name, old)) continue;
    name.replace(name.size() - old.size(), old.size(), std::string(".") + chosen.extension);
    // Newer dialogs have the name in a combo box, older ones in an edit.
    const int field = GetDlgItem(dialog, cmb13) ? cmb13 : edt1;
    SendMessageA(dialog, CDM_SETCONTROLTEXT, field, reinterpret_cast<LPARAM>(name.c_str()));
    return;
  }
}

UINT_PTR CALLBACK saveDialogHook(HWND hook, UINT msg, WPARAM, LPARAM lp) {
  switch (msg) {
    case WM_INITDIALOG: saveDialogWnd = GetParent(hook); break;
    case WM_DESTROY:    saveDialogWnd = nullptr; break;
    case WM_NOTIFY: {
      const auto* note = reinterpret_cast<const OFNOTIFYA*>(lp);
      if (note->hdr.code == CDN_TYPECHANGE)
        onTypeChange(GetParent(hook), formatOfFilterIndex(note->lpOFN->nFilterIndex));
      break;
    }
    default: break;
  }
  return 0;
}

std::wstring wideOf(const std::string& text) {
  const int units = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  if (units <= 0) return std::wstring();
  std::wstring wide(static_cast<size_t>(units), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], units);
  wide.resize(static_cast<size_t>(units) - 1);
  return wide;
}

// The ANSI file functions stop at MAX_PATH; the wide ones take any length of a full path behind "\\?\".
std::wstring systemPath(const std::wstring& path) {
  if (path.size() < MAX_PATH || path.compare(0, 4, L"\\\\?\\") == 0) return path;
  if (path.compare(0, 2, L"\\\\") == 0) return L"\\\\?\\UNC\\" + path.substr(2);
  return L"\\\\?\\" + path;
}

bool writeAll(HANDLE file, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD wrote = 0;
    const DWORD piece = static_cast<DWORD>(bytes.size() - done);
    if (!WriteFile(file, bytes.data() + done, piece, &wrote, nullptr) || wrote == 0) return false;
    done += wrote;
  }
  return true;
}

// The bytes go to a new file beside the target, which then replaces the target in one move: a failure
// at any step leaves the target as it was and removes the new file. 0, or the system's error code.
DWORD replaceFile(const std::string& path, const std::string& bytes) {
  const std::wstring target = wideOf(path);
  if (target.empty()) return ERROR_INVALID_NAME;
  std::wstring temporary;
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int i = 0; i < kTemporaryTries && file == INVALID_HANDLE_VALUE; ++i) {
    // CREATE_NEW: a file of the user's that happens to have the name is never overwritten.
    temporary = systemPath(target + (i ? L"~" + std::to_wstring(i) : L"") + L".tmp");
    file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) return GetLastError();
  }
  if (file == INVALID_HANDLE_VALUE) return ERROR_FILE_EXISTS;
  DWORD error = writeAll(file, bytes) && FlushFileBuffers(file) ? 0 : GetLastError();
  CloseHandle(file);
  if (!error && !MoveFileExW(temporary.c_str(), systemPath(target).c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    error = GetLastError();
  if (error) DeleteFileW(temporary.c_str());
  return error;
}


}  // namespace

void saveHistoryAs() {
  if (bringToFront(saveDialogWnd)) return;
  std::vector<char> name(kNameSize, '\0');
  const std::string filter = filterList();
  OPENFILENAMEA request = {};
  request.lStructSize = sizeof request;
  // No owner: the box is not disabled and keeps ticking, and Exit, which destroys the box, does not
  // destroy the dialog under its own loop.
  request.hwndOwner = nullptr;
  request.lpstrFilter = filter.c_str();
  request.nFilterIndex = static_cast<DWORD>(lastFormat) + 1;
  request.lpstrFile = name.data();
  request.nMaxFile = kNameSize;
  request.lpstrInitialDir = lastFolder.empty() ? nullptr : lastFolder.c_str();
  request.lpstrTitle = kDialogTitle;
  request.lpstrDefExt = kPaletteFormats[lastFormat].extension;
  request.Flags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLESIZING | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST |
                  OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  request.lpfnHook = saveDialogHook;
  const BOOL chosen = GetSaveFileNameA(&request);
  saveDialogWnd = nullptr;
  if (!dialogConfirmed(chosen)) return;

  const int format = formatOfFilterIndex(request.nFilterIndex);
  std::string path = name.data();
  // A name the system left without an extension gets the chosen type's.
  if (request.nFileExtension == 0 || path[request.nFileExtension] == '\0') {
    if (path.empty() || path.back() != '.') path += '.';
    path += kPaletteFormats[format].extension;
  }
  lastFolder.assign(path, 0, request.nFileOffset);
  lastFormat = format;
  const DWORD error = replaceFile(path, paletteBytes(kPaletteFormats[format].format, settings.history));
  if (error) reportError(app.boxWnd, kErrPaletteSave, (path + "\r\r" + systemMessage(error)).c_str());
}
