#include "pe_file.h"

#include <fstream>
#include <iterator>

namespace {

struct Reader {
  const std::string& bytes;
  bool ok = true;
  uint32_t u16(size_t at) {
    if (at + 2 > bytes.size()) return fail();
    return uint8_t(bytes[at]) | uint8_t(bytes[at + 1]) << 8;
  }
  uint32_t u32(size_t at) { return u16(at) | u16(at + 2) << 16; }
  uint32_t fail() {
    ok = false;
    return 0;
  }
};

struct Section {
  uint32_t rva, size, fileOffset;
};

struct Image {
  Reader read;
  std::vector<Section> sections;
  size_t rsrcFile = 0;  // file offset of the resource directory
  uint32_t rsrcRva = 0;

  // The file offset of an address in the loaded image, or npos.
  size_t fileOffset(uint32_t rva) const {
    for (const Section& s : sections)
      if (rva >= s.rva && rva < s.rva + s.size) return s.fileOffset + (rva - s.rva);
    return std::string::npos;
  }

  // A resource directory entry's name: "#id", or its counted UTF-16 string narrowed to bytes.
  std::string entryName(uint32_t field) {
    if (!(field & 0x80000000u)) return "#" + std::to_string(field);
    const size_t at = rsrcFile + (field & 0x7FFFFFFFu);
    const uint32_t length = read.u16(at);
    std::string name;
    for (uint32_t i = 0; i < length && read.ok; ++i) name += char(read.u16(at + 2 + 2 * i));
    return name;
  }

  // Walks type, name and language levels; the first language of each name is taken.
  void collect(size_t dirOffset, int level, PeResource partial, std::vector<PeResource>* out) {
    if (level > 2 || !read.ok) return;
    const size_t at = rsrcFile + dirOffset;
    const uint32_t count = read.u16(at + 12) + read.u16(at + 14);
    for (uint32_t i = 0; i < count && read.ok; ++i) {
      const uint32_t nameField = read.u32(at + 16 + 8 * i);
      const uint32_t target = read.u32(at + 16 + 8 * i + 4);
      PeResource r = partial;
      if (level == 0) r.type = entryName(nameField);
      if (level == 1) r.name = entryName(nameField);
      if (target & 0x80000000u) {
        collect(target & 0x7FFFFFFFu, level + 1, r, out);
      } else {
        const size_t entry = rsrcFile + target;
        const size_t data = fileOffset(read.u32(entry));
        const uint32_t size = read.u32(entry + 4);
        if (data == std::string::npos || data + size > read.bytes.size()) {
          read.fail();
          return;
        }
        r.data = read.bytes.substr(data, size);
        out->push_back(r);
      }
      if (level == 2) break;
    }
  }
};

}  // namespace

bool readPeFile(const std::string& path, PeFile* out, std::string* error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    *error = "cannot open " + path;
    return false;
  }
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  Image image{Reader{bytes}, {}, 0, 0};
  Reader& r = image.read;
  if (r.u16(0) != 0x5A4D) {
    *error = "no MZ header";
    return false;
  }
  const size_t pe = r.u32(0x3C);
  if (r.u32(pe) != 0x00004550) {
    *error = "no PE signature";
    return false;
  }
  out->machine = uint16_t(r.u16(pe + 4));
  const uint32_t sectionCount = r.u16(pe + 6);
  const uint32_t optionalSize = r.u16(pe + 20);
  const size_t optional = pe + 24;
  out->magic = uint16_t(r.u16(optional));
  out->subsystem = uint16_t(r.u16(optional + 68));
  // The data directories follow the fields whose width depends on PE32 or PE32+.
  const size_t directories = optional + (out->magic == 0x20B ? 112 : 96);
  const uint32_t importRva = r.u32(directories + 1 * 8);
  image.rsrcRva = r.u32(directories + 2 * 8);
  const size_t sectionTable = optional + optionalSize;
  for (uint32_t i = 0; i < sectionCount; ++i) {
    const size_t s = sectionTable + 40 * i;
    const uint32_t virtualSize = r.u32(s + 8), rawSize = r.u32(s + 16);
    image.sections.push_back({r.u32(s + 12), virtualSize > rawSize ? virtualSize : rawSize, r.u32(s + 20)});
  }
  if (!r.ok) {
    *error = "headers cut short";
    return false;
  }
  // The import descriptors, 20 bytes each, end with one whose name is 0.
  out->importedDlls.clear();
  if (importRva) {
    const size_t table = image.fileOffset(importRva);
    for (size_t at = table; table != std::string::npos && r.ok; at += 20) {
      const uint32_t nameRva = r.u32(at + 12);
      if (!nameRva) break;
      const size_t name = image.fileOffset(nameRva);
      const size_t end = name == std::string::npos ? name : bytes.find('\0', name);
      if (end == std::string::npos) {
        *error = "an imported DLL's name outside every section";
        return false;
      }
      out->importedDlls.push_back(bytes.substr(name, end - name));
    }
    if (table == std::string::npos || !r.ok) {
      *error = "import table cut short or outside every section";
      return false;
    }
  }
  out->resources.clear();
  if (image.rsrcRva) {
    image.rsrcFile = image.fileOffset(image.rsrcRva);
    if (image.rsrcFile == std::string::npos) {
      *error = "resource directory outside every section";
      return false;
    }
    image.collect(0, 0, PeResource{}, &out->resources);
  }
  if (!r.ok) {
    *error = "resources cut short";
    return false;
  }
  return true;
}

const std::string* findResource(const PeFile& file, const std::string& type, const std::string& name) {
  for (const PeResource& r : file.resources)
    if (r.type == type && r.name == name) return &r.data;
  return nullptr;
}

namespace {

// One node of a version record: length, value length, type, UTF-16 key, then value and children,
// each part aligned to four bytes.
void walkVersionNode(Reader& r, size_t at, size_t end, const std::string& parentKey, VersionRecord* out) {
  while (r.ok && at + 6 <= end) {
    const uint32_t length = r.u16(at), valueLength = r.u16(at + 2), type = r.u16(at + 4);
    if (length < 6 || at + length > end) return;
    std::string key;
    size_t p = at + 6;
    for (uint32_t c; r.ok && (c = r.u16(p)) != 0; p += 2) key += char(c);
    p = (p + 2 + 3) & ~size_t(3);
    const size_t valueBytes = type == 1 ? valueLength * 2 : valueLength;
    if (key == "VS_VERSION_INFO" && valueBytes >= 52 && r.u32(p) == 0xFEEF04BDu) {
      out->fileVersionMS = r.u32(p + 8);
      out->fileVersionLS = r.u32(p + 12);
      out->productVersionMS = r.u32(p + 16);
      out->productVersionLS = r.u32(p + 20);
    }
    if (type == 1 && parentKey.size() == 8) {  // a string of a language block such as "040904E4"
      std::string value;
      for (size_t q = p; r.ok && q + 2 <= p + valueBytes; q += 2) {
        const uint32_t c = r.u16(q);
        if (c == 0) break;
        value += char(c);
      }
      out->strings.emplace_back(key, value);
    }
    const size_t children = (p + valueBytes + 3) & ~size_t(3);
    walkVersionNode(r, children, at + length, key, out);
    at = (at + length + 3) & ~size_t(3);
  }
}

}  // namespace

bool readVersionRecord(const std::string& data, VersionRecord* out) {
  Reader r{data};
  walkVersionNode(r, 0, data.size(), "", out);
  return r.ok && out->fileVersionMS != 0;
}
