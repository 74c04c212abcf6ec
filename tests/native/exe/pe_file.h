// A Windows executable read as data, on any host: its machine, the DLLs it imports, and every resource
// by type and name.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct PeResource {
  std::string type;  // "#24" for a numbered type or name, else the name as stored ("TLICON")
  std::string name;
  std::string data;
};

struct PeFile {
  uint16_t machine = 0;      // 0x14C x86, 0x8664 x64
  uint16_t magic = 0;        // 0x10B PE32, 0x20B PE32+
  uint16_t subsystem = 0;    // 2: a windowed program
  std::vector<PeResource> resources;
  std::vector<std::string> importedDlls;  // the DLL names of the import table, as stored
};

// False, with the reason in *error, when the file is missing or not a well-formed PE image.
bool readPeFile(const std::string& path, PeFile* out, std::string* error);
// The resource's bytes, or nullptr.
const std::string* findResource(const PeFile& file, const std::string& type, const std::string& name);

// The string values of a version record ("CompanyName" and so on) and its fixed file version.
struct VersionRecord {
  uint32_t fileVersionMS = 0, fileVersionLS = 0, productVersionMS = 0, productVersionLS = 0;
  std::vector<std::pair<std::string, std::string>> strings;
};
bool readVersionRecord(const std::string& data, VersionRecord* out);
