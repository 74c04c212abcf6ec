// Black box: a copy of Tintlet.exe unpacked beside a DLL that someone else put there.
#include "harness.h"

#include <string>

namespace {

bool fileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// A fresh folder holding Tintlet.exe and the planted DLL named as the system's RichEdit library;
// the program started there is ended and the folder removed however the test ends.
struct UnpackedCopy {
  std::string folder;
  HANDLE process = nullptr;
  UnpackedCopy() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder = std::string(temp) + "tintlet-unpacked-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
  }
  std::string file(const char* name) const { return folder + "\\" + name; }
  ~UnpackedCopy() {
    if (process) {
      if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) TerminateProcess(process, 1);
      WaitForSingleObject(process, 5000);
      CloseHandle(process);
    }
    for (const char* name : {"Tintlet.exe", "Riched32.dll", "planted.marker"}) DeleteFileA(file(name).c_str());
    RemoveDirectoryA(folder.c_str());
  }
};

std::string helpViewText(HWND view) {
  const LRESULT length = SendMessageA(view, WM_GETTEXTLENGTH, 0, 0);
  if (length <= 0) return "";
  std::string text(static_cast<size_t>(length) + 1, '\0');
  text.resize(static_cast<size_t>(SendMessageA(view, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]))));
  return text;
}

}  // namespace

TEST(PlantedDll, ADllBesideTheProgramNeverRuns) {
  clearSettings();
  UnpackedCopy copy;
  ASSERT_TRUE(CopyFileA(windowsPath(TINTLET_EXE).c_str(), copy.file("Tintlet.exe").c_str(), FALSE));
  const std::string planted = windowsPath(std::string(TEST_HELPER_DIR) + "/planted_dll.dll");
  ASSERT_TRUE(CopyFileA(planted.c_str(), copy.file("Riched32.dll").c_str(), FALSE));

  // The build runs this test with riched32 native first (Wine's default, built-in first, would hide
  // the fault). Loaded by its path here, the planted DLL must run, or the test shows nothing.
  const HMODULE byPath = LoadLibraryA(copy.file("Riched32.dll").c_str());
  ASSERT_TRUE(fileExists(copy.file("planted.marker"))) << "riched32 is not native first: WINEDLLOVERRIDES=riched32=n,b";
  FreeLibrary(byPath);
  ASSERT_TRUE(DeleteFileA(copy.file("planted.marker").c_str()));

  copy.process = startProcess("\"" + copy.file("Tintlet.exe") + "\"");
  ASSERT_NE(copy.process, nullptr);
  const HWND box = waitForWindow("TintletApp", nullptr, 10000);
  ASSERT_NE(box, nullptr);

  PostMessageA(box, WM_HOTKEY, 0, 0);  // Options
  const HWND options = waitForWindow("TintletOptions", nullptr);
  ASSERT_NE(options, nullptr);
  ASSERT_TRUE(pumpUntil([&] { return IsWindowVisible(options) != 0; }));
  HANDLE click = startProcess(helperPath("window_tool") + " tab 2");  // the Help tab
  ASSERT_NE(click, nullptr);
  EXPECT_EQ(waitForExit(click, 10000), 0u);
  CloseHandle(click);

  EXPECT_FALSE(fileExists(copy.file("planted.marker"))) << "the planted DLL ran inside the program";
  const HWND view = FindWindowExA(options, nullptr, "RichEdit", nullptr);
  ASSERT_NE(view, nullptr) << "no Help view: the RichEdit class was not registered";
  EXPECT_TRUE(pumpUntil([&] { return IsWindowVisible(view) != 0; }));
  const std::string text = helpViewText(view);
  EXPECT_EQ(text.rfind("Tintlet 2.51", 0), 0u) << text.substr(0, 80);
  EXPECT_NE(text.find("--- end of help file ---"), std::string::npos);

  PostMessageA(box, WM_HOTKEY, 8, 0);  // Exit
  EXPECT_EQ(waitForExit(copy.process, 10000), 0u);
}
