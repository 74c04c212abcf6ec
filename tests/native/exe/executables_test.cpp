// Both builds of Tintlet.exe read as data, so the one this machine cannot run is checked too: the
// machine each is built for, its manifest, its version record and its icons.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "pe_file.h"

namespace {

struct Build {
  const char* arch;
  const char* path;
  uint16_t machine;
  uint16_t magic;
  const char* manifestArch;  // the program's own identity
};

const Build kBuilds[] = {
    {"x86", TINTLET_X86_EXE, 0x14C, 0x10B, "x86"},
    {"x64", TINTLET_X64_EXE, 0x8664, 0x20B, "amd64"},
};

struct Executables : ::testing::TestWithParam<Build> {
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(readPeFile(GetParam().path, &exe, &error)) << GetParam().path << ": " << error;
  }
  PeFile exe;
};

TEST_P(Executables, AreWindowedProgramsForTheirMachine) {
  EXPECT_EQ(exe.machine, GetParam().machine);
  EXPECT_EQ(exe.magic, GetParam().magic);
  EXPECT_EQ(exe.subsystem, 2) << "the Windows GUI subsystem";
}

// Every processorArchitecture in the manifest, in order.
std::vector<std::string> architecturesIn(const std::string& manifest) {
  std::vector<std::string> found;
  const std::string key = "processorArchitecture=\"";
  for (size_t at = manifest.find(key); at != std::string::npos; at = manifest.find(key, at + 1)) {
    const size_t start = at + key.size();
    found.push_back(manifest.substr(start, manifest.find('"', start) - start));
  }
  return found;
}

TEST_P(Executables, ManifestNamesTheirOwnArchitectureAndAnyForCommonControls) {
  const std::string* manifest = findResource(exe, "#24", "#1");
  ASSERT_NE(manifest, nullptr);
  const std::vector<std::string> wanted = {GetParam().manifestArch, "*"};
  EXPECT_EQ(architecturesIn(*manifest), wanted) << *manifest;
  EXPECT_NE(manifest->find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
  EXPECT_NE(manifest->find("<dpiAwareness"), std::string::npos);
}

TEST_P(Executables, CarryTheVersionRecord) {
  const std::string* data = findResource(exe, "#16", "#1");
  ASSERT_NE(data, nullptr);
  VersionRecord version;
  ASSERT_TRUE(readVersionRecord(*data, &version));
  EXPECT_EQ(version.fileVersionMS, 0x00020005u);
  EXPECT_EQ(version.fileVersionLS, 0x00010000u);
  EXPECT_EQ(version.productVersionMS, 0x00020005u);
  EXPECT_EQ(version.productVersionLS, 0x00010000u);
  const std::vector<std::pair<std::string, std::string>> wanted = {
      {"CompanyName", "Quillon"},         {"FileDescription", "freeware color-picking tool"},
      {"FileVersion", "2.5.1.0"},         {"InternalName", "Tintlet"},
      {"OriginalFilename", "Tintlet.EXE"}, {"ProductName", "Tintlet"},
      {"ProductVersion", "2.5.1.0"},
  };
  EXPECT_EQ(version.strings, wanted);
}

uint32_t le16(const std::string& s, size_t at) { return uint8_t(s[at]) | uint8_t(s[at + 1]) << 8; }
uint32_t le32(const std::string& s, size_t at) { return le16(s, at) | le16(s, at + 2) << 16; }

TEST_P(Executables, CarryTheirIconsWithEveryImageTheGroupsName) {
  for (const char* name : {"TLICON", "QNICON", "DTICON"}) {
    const std::string* group = findResource(exe, "#14", name);
    ASSERT_NE(group, nullptr) << name;
    ASSERT_GE(group->size(), 6u) << name;
    const uint32_t count = le16(*group, 4);
    ASSERT_GE(count, 1u) << name;
    ASSERT_EQ(group->size(), 6u + 14u * count) << name;
    for (uint32_t i = 0; i < count; ++i) {
      const size_t entry = 6 + 14 * i;
      const std::string* image = findResource(exe, "#3", "#" + std::to_string(le16(*group, entry + 12)));
      ASSERT_NE(image, nullptr) << name << " image " << i;
      EXPECT_EQ(image->size(), le32(*group, entry + 8)) << name << " image " << i;
      EXPECT_EQ(le32(*image, 0), 40u) << name << " image " << i << ": a bitmap header";
    }
  }
}

// The small icon at 100, 125, 150 and 250 % (16, 20, 24 and 40 pixels) and the large ones at 100 to 200 %
// (32, 48 and 64): an image of the size asked for is never scaled by the system.
TEST_P(Executables, CarryEachIconAtTheSizesOfTheTrayAndTheAboutPage) {
  const std::vector<uint32_t> wanted = {16, 20, 24, 32, 40, 48, 64};
  for (const char* name : {"TLICON", "QNICON", "DTICON"}) {
    const std::string* group = findResource(exe, "#14", name);
    ASSERT_NE(group, nullptr) << name;
    ASSERT_GE(group->size(), 6u) << name;
    std::vector<uint32_t> sizes;
    for (uint32_t i = 0, count = le16(*group, 4); i < count && 6 + 14 * (i + 1) <= group->size(); ++i) {
      const size_t entry = 6 + 14 * i;
      const uint32_t width = uint8_t((*group)[entry]), height = uint8_t((*group)[entry + 1]);
      EXPECT_EQ(width, height) << name << " image " << i;
      sizes.push_back(width);
      // The image itself is of the size its group entry names (a bitmap holds the colour and the mask rows).
      const std::string* image = findResource(exe, "#3", "#" + std::to_string(le16(*group, entry + 12)));
      ASSERT_NE(image, nullptr) << name << " image " << i;
      ASSERT_GE(image->size(), 12u) << name << " image " << i;
      EXPECT_EQ(le32(*image, 4), width) << name << " image " << i;
      EXPECT_EQ(le32(*image, 8), 2 * height) << name << " image " << i;
    }
    std::sort(sizes.begin(), sizes.end());
    EXPECT_EQ(sizes, wanted) << name;
  }
}

// A DLL found beside the program under an imported name must never be loaded: every import is a DLL
// that Windows takes from its own folder (or, for the common controls, from the side-by-side store).
TEST_P(Executables, ImportOnlySystemDlls) {
  const std::set<std::string> system = {"ADVAPI32.DLL", "COMCTL32.DLL", "COMDLG32.DLL", "GDI32.DLL",
                                        "KERNEL32.DLL", "MSVCRT.DLL",   "SHELL32.DLL",  "USER32.DLL"};
  EXPECT_FALSE(exe.importedDlls.empty());
  for (std::string name : exe.importedDlls) {
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_TRUE(system.count(name)) << name << " is not a system DLL";
  }
}

INSTANTIATE_TEST_SUITE_P(Builds, Executables, ::testing::ValuesIn(kBuilds),
                         [](const ::testing::TestParamInfo<Build>& info) { return std::string(info.param.arch); });

}  // namespace
