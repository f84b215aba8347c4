// Writes the PE test files for the version resource tests from compiled
// resource files (.res, as windres -O res writes them):
//   make_test_pe OUTDIR FILE.res...
// For each NAME.res: NAME_pe32.dll and NAME_pe64.dll, images with nothing
// but a .rsrc section. From v2700.res also damaged variants (hostile_*.dll),
// and a 16-bit NE file with its own damaged variants, built here by hand.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

const uint32_t kRsrcRva = 0x1000;
const uint32_t kFileAlignment = 0x200;
const uint32_t kSectionAlignment = 0x1000;
const uint32_t kPeHeader = 0x80;

void Put16(Bytes& b, size_t at, uint32_t v) {
  if (b.size() < at + 2) b.resize(at + 2);
  b[at] = v & 0xFF;
  b[at + 1] = (v >> 8) & 0xFF;
}
void Put32(Bytes& b, size_t at, uint32_t v) {
  Put16(b, at, v & 0xFFFF);
  Put16(b, at + 2, v >> 16);
}
void Put64(Bytes& b, size_t at, uint64_t v) {
  Put32(b, at, static_cast<uint32_t>(v));
  Put32(b, at + 4, static_cast<uint32_t>(v >> 32));
}
uint32_t Get16(const Bytes& b, size_t at) { return b[at] | (b[at + 1] << 8); }
uint32_t Get32(const Bytes& b, size_t at) { return Get16(b, at) | (Get16(b, at + 2) << 16); }
size_t Align(size_t n, size_t a) { return (n + a - 1) / a * a; }

// ---- reading .res files ----

struct Resource {
  uint32_t type, name, language;
  Bytes data;
};

// A type or name field: 0xFFFF and an ID, or a UTF-16 string (not used by
// our scripts; such resources are skipped).
bool ReadId(const Bytes& b, size_t* pos, uint32_t* id) {
  if (Get16(b, *pos) == 0xFFFF) {
    *id = Get16(b, *pos + 2);
    *pos += 4;
    return true;
  }
  while (Get16(b, *pos) != 0) *pos += 2;
  *pos += 2;
  return false;
}

bool ReadRes(const std::string& path, std::vector<Resource>* out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  Bytes b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  size_t pos = 0;
  while (pos + 32 <= b.size()) {
    uint32_t dataSize = Get32(b, pos), headerSize = Get32(b, pos + 4);
    size_t p = pos + 8;
    Resource r;
    bool typeIsId = ReadId(b, &p, &r.type);
    bool nameIsId = ReadId(b, &p, &r.name);
    p = pos + Align(p - pos, 4);
    r.language = Get16(b, p + 6);
    if (dataSize && typeIsId && nameIsId) {
      r.data.assign(b.begin() + pos + headerSize, b.begin() + pos + headerSize + dataSize);
      out->push_back(r);
    }
    pos += Align(headerSize + dataSize, 4);
  }
  return true;
}

// ---- building the resource section ----

// Where the damaged variants find the fields they change (section offsets).
struct RsrcLayout {
  size_t versionTypeEntry = 0;  // root entry of type 16
  size_t versionNameDir = 0;    // the name directory of type 16
  size_t versionNameEntry = 0;  // its entry for ID 1
  size_t versionLangDir = 0;
  size_t versionLangEntry = 0;
  size_t versionDataEntry = 0;
  size_t versionData = 0;
  uint32_t versionSize = 0;
};

Bytes BuildRsrc(const std::vector<Resource>& resources, RsrcLayout* layout) {
  std::map<uint32_t, std::map<uint32_t, std::map<uint32_t, const Resource*>>> tree;
  for (const Resource& r : resources) tree[r.type][r.name][r.language] = &r;
  size_t dirs = 16 + 8 * tree.size(), entries = 0;
  for (auto& t : tree) {
    dirs += 16 + 8 * t.second.size();
    for (auto& n : t.second) {
      dirs += 16 + 8 * n.second.size();
      entries += n.second.size();
    }
  }
  Bytes s(dirs + 16 * entries, 0);
  size_t nextDir = 16 + 8 * tree.size(), nextData = dirs, rootEntry = 16;
  for (auto& t : tree) {
    size_t typeDir = nextDir;
    nextDir += 16 + 8 * t.second.size();
    Put32(s, rootEntry, t.first);
    Put32(s, rootEntry + 4, 0x80000000u | typeDir);
    if (t.first == 16) layout->versionTypeEntry = rootEntry, layout->versionNameDir = typeDir;
    rootEntry += 8;
    Put16(s, typeDir + 14, t.second.size());
    size_t typeEntry = typeDir + 16;
    for (auto& n : t.second) {
      size_t nameDir = nextDir;
      nextDir += 16 + 8 * n.second.size();
      Put32(s, typeEntry, n.first);
      Put32(s, typeEntry + 4, 0x80000000u | nameDir);
      bool version = t.first == 16 && n.first == 1;
      if (version) layout->versionNameEntry = typeEntry, layout->versionLangDir = nameDir;
      typeEntry += 8;
      Put16(s, nameDir + 14, n.second.size());
      size_t nameEntry = nameDir + 16;
      for (auto& l : n.second) {
        Put32(s, nameEntry, l.first);
        Put32(s, nameEntry + 4, nextData);
        size_t dataAt = Align(s.size(), 8);
        s.resize(dataAt, 0);
        Put32(s, nextData, kRsrcRva + dataAt);
        Put32(s, nextData + 4, l.second->data.size());
        Put32(s, nextData + 8, 0);  // code page
        if (version && (layout->versionData == 0 || l.first == 0x409)) {
          layout->versionLangEntry = nameEntry;
          layout->versionDataEntry = nextData;
          layout->versionData = dataAt;
          layout->versionSize = l.second->data.size();
        }
        s.insert(s.end(), l.second->data.begin(), l.second->data.end());
        nextData += 16;
        nameEntry += 8;
      }
    }
  }
  Put16(s, 14, tree.size());
  return s;
}

// ---- the PE image ----

// File offsets of the header fields the damaged variants change.
struct PeLayout {
  size_t numberOfSections = kPeHeader + 6;
  size_t resourceDirectory = 0;
  size_t sectionTable = 0;
  size_t rsrc = kFileAlignment;
};

Bytes BuildPe(const Bytes& rsrc, bool plus, PeLayout* layout) {
  Bytes f(kFileAlignment, 0);
  f[0] = 'M';
  f[1] = 'Z';
  Put32(f, 0x3C, kPeHeader);
  std::memcpy(&f[kPeHeader], "PE\0\0", 4);
  const size_t coff = kPeHeader + 4, opt = coff + 20;
  const uint32_t optSize = plus ? 240 : 224;
  Put16(f, coff, plus ? 0x8664 : 0x14C);
  Put16(f, coff + 2, 1);
  Put16(f, coff + 16, optSize);
  Put16(f, coff + 18, plus ? 0x2022 : 0x2102);  // executable DLL (32-bit machine / large address aware)
  const uint32_t rawSize = Align(rsrc.size(), kFileAlignment);
  const uint32_t imageSize = kSectionAlignment + Align(rsrc.size(), kSectionAlignment);
  Put16(f, opt, plus ? 0x20B : 0x10B);
  f[opt + 2] = 2;                   // linker version
  Put32(f, opt + 8, rawSize);       // SizeOfInitializedData
  Put32(f, opt + 20, kRsrcRva);     // BaseOfCode
  if (plus) {
    Put64(f, opt + 24, 0x180000000ull);
  } else {
    Put32(f, opt + 24, kRsrcRva);   // BaseOfData
    Put32(f, opt + 28, 0x10000000);
  }
  Put32(f, opt + 32, kSectionAlignment);
  Put32(f, opt + 36, kFileAlignment);
  Put16(f, opt + 40, plus ? 6 : 4);  // operating system version
  Put16(f, opt + 48, plus ? 6 : 4);  // subsystem version
  Put32(f, opt + 56, imageSize);
  Put32(f, opt + 60, kFileAlignment);  // SizeOfHeaders
  Put16(f, opt + 68, 2);               // Windows GUI
  Put16(f, opt + 70, 0x100);           // NX compatible
  const size_t stack = opt + 72;
  if (plus) {
    Put64(f, stack, 0x100000); Put64(f, stack + 8, 0x1000);
    Put64(f, stack + 16, 0x100000); Put64(f, stack + 24, 0x1000);
  } else {
    Put32(f, stack, 0x100000); Put32(f, stack + 4, 0x1000);
    Put32(f, stack + 8, 0x100000); Put32(f, stack + 12, 0x1000);
  }
  const size_t rvaCount = opt + (plus ? 108 : 92);
  Put32(f, rvaCount, 16);
  layout->resourceDirectory = rvaCount + 4 + 2 * 8;
  Put32(f, layout->resourceDirectory, kRsrcRva);
  Put32(f, layout->resourceDirectory + 4, rsrc.size());
  layout->sectionTable = opt + optSize;
  const size_t sec = layout->sectionTable;
  std::memcpy(&f[sec], ".rsrc\0\0\0", 8);
  Put32(f, sec + 8, rsrc.size());
  Put32(f, sec + 12, kRsrcRva);
  Put32(f, sec + 16, rawSize);
  Put32(f, sec + 20, kFileAlignment);
  Put32(f, sec + 36, 0x40000040);  // initialised data, readable
  f.insert(f.end(), rsrc.begin(), rsrc.end());
  f.resize(kFileAlignment + rawSize, 0);
  return f;
}

// ---- a 16-bit NE file ----

// A node of a 16-bit version block: wLength, wValueLength, ANSI key.
Bytes Node16(const std::string& key, const Bytes& value, const std::vector<Bytes>& children) {
  Bytes n(4, 0);
  n.insert(n.end(), key.begin(), key.end());
  n.push_back(0);
  n.resize(Align(n.size(), 4), 0);
  n.insert(n.end(), value.begin(), value.end());
  for (const Bytes& c : children) {
    n.resize(Align(n.size(), 4), 0);
    n.insert(n.end(), c.begin(), c.end());
  }
  Put16(n, 0, n.size());
  Put16(n, 2, value.size());
  return n;
}

Bytes Text16(const std::string& s) {
  Bytes b(s.begin(), s.end());
  b.push_back(0);
  return b;
}

Bytes Version16() {
  Bytes fixed(52, 0);
  const uint32_t v[] = {0xFEEF04BD, 0x10000, 0x70001, 0x2, 0x70001, 0x2, 0x3F, 0, 0x1, 0x1};
  for (int i = 0; i < 10; ++i) Put32(fixed, 4 * i, v[i]);
  Bytes translation;
  Put16(translation, 0, 0x409);
  Put16(translation, 2, 1252);
  return Node16("VS_VERSION_INFO", fixed,
                {Node16("StringFileInfo", {},
                        {Node16("040904E4", {},
                                {Node16("CompanyName", Text16("Sixteen Bit Co"), {}),
                                 Node16("ProductVersion", Text16("7.1.0.2"), {})})}),
                 Node16("VarFileInfo", {}, {Node16("Translation", translation, {})})});
}

// DOS header, NE header, resource table (shift 4), the block at 0x100.
Bytes BuildNe(size_t* typeInfo, size_t* shiftAt) {
  const size_t ne = 0x40, table = ne + 0x40, blockAt = 0x100;
  Bytes block = Version16();
  Bytes f(blockAt, 0);
  f[0] = 'M';
  f[1] = 'Z';
  Put32(f, 0x3C, ne);
  f[ne] = 'N';
  f[ne + 1] = 'E';
  Put16(f, ne + 0x24, table - ne);
  *shiftAt = table;
  Put16(f, table, 4);
  *typeInfo = table + 2;
  Put16(f, table + 2, 0x8010);
  Put16(f, table + 4, 1);
  Put16(f, table + 10, blockAt >> 4);
  Put16(f, table + 12, Align(block.size(), 16) >> 4);
  Put16(f, table + 14, 0x30);
  Put16(f, table + 16, 0x8001);
  Put16(f, table + 22, 0);  // end of the types
  Put16(f, ne + 0x26, table + 24 - ne);  // resident names: empty
  f.insert(f.end(), block.begin(), block.end());
  f.resize(Align(f.size(), 16), 0);
  return f;
}

// ---- writing ----

bool Write(const std::string& dir, const std::string& name, const Bytes& b) {
  std::ofstream out(dir + "/" + name, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
  if (!out) std::cerr << "make_test_pe: cannot write " << dir << "/" << name << "\n";
  return static_cast<bool>(out);
}

Bytes Cut(const Bytes& b, size_t n) { return Bytes(b.begin(), b.begin() + std::min(n, b.size())); }

// Damaged copies of a good PE32 file: truncated, offsets out of range,
// directories pointing at themselves, a block longer than its resource.
bool WriteHostile(const std::string& dir, const Bytes& good, const PeLayout& pe, const RsrcLayout& r) {
  const size_t rsrc = pe.rsrc;
  std::vector<std::pair<std::string, Bytes>> out;
  auto variant = [&](const std::string& name, size_t at, uint32_t value, bool wide = true) {
    Bytes b = good;
    if (wide) Put32(b, at, value); else Put16(b, at, value);
    out.emplace_back(name, b);
  };
  out.emplace_back("hostile_trunc_dos.dll", Cut(good, 30));
  out.emplace_back("hostile_trunc_coff.dll", Cut(good, kPeHeader + 10));
  out.emplace_back("hostile_trunc_sections.dll", Cut(good, pe.sectionTable + 20));
  out.emplace_back("hostile_trunc_rsrc_dir.dll", Cut(good, rsrc + 8));
  out.emplace_back("hostile_trunc_data_entry.dll", Cut(good, rsrc + r.versionDataEntry + 6));
  out.emplace_back("hostile_trunc_version.dll", Cut(good, rsrc + r.versionData + r.versionSize / 2));
  variant("hostile_lfanew_out.dll", 0x3C, 0xFFFFFFF0u);
  variant("hostile_section_count.dll", pe.numberOfSections, 0xFFFF, false);
  variant("hostile_rsrc_rva_out.dll", pe.resourceDirectory, 0x7FFF0000u);
  variant("hostile_subdir_out.dll", rsrc + r.versionTypeEntry + 4, 0x80FFFFF0u);
  variant("hostile_data_rva_out.dll", rsrc + r.versionDataEntry, kRsrcRva + 0x100000);
  variant("hostile_data_size_huge.dll", rsrc + r.versionDataEntry + 4, 0x7FFFFFF0u);
  variant("hostile_entry_count_huge.dll", rsrc + 12, 0xFFFFFFFFu);
  variant("hostile_loop_type.dll", rsrc + r.versionTypeEntry + 4, 0x80000000u);
  variant("hostile_loop_name.dll", rsrc + r.versionNameEntry + 4, 0x80000000u | r.versionNameDir);
  variant("hostile_loop_lang.dll", rsrc + r.versionLangEntry + 4, 0x80000000u | r.versionLangDir);
  variant("hostile_wlength_overrun.dll", rsrc + r.versionData, r.versionSize + 0x100, false);
  variant("hostile_wlength_tiny.dll", rsrc + r.versionData, 2, false);
  // Not hostile to the file level: the StringFileInfo node claims more than
  // its parent holds, so only what lies beside it stays readable.
  variant("damaged_child_overrun.dll", rsrc + r.versionData + 92, 0x2000, false);
  for (auto& v : out)
    if (!Write(dir, v.first, v.second)) return false;
  return true;
}

bool WriteNeFiles(const std::string& dir) {
  size_t typeInfo = 0, shiftAt = 0;
  Bytes ne = BuildNe(&typeInfo, &shiftAt);
  Bytes shift = ne, offsetOut = ne, lengthHuge = ne;
  Put16(shift, shiftAt, 0x20);
  Put16(offsetOut, typeInfo + 8, 0xFFFF);
  Put16(lengthHuge, typeInfo + 10, 0xFFFF);
  return Write(dir, "ne_v7102.exe", ne) && Write(dir, "hostile_ne_trunc.exe", Cut(ne, typeInfo + 6)) &&
         Write(dir, "hostile_ne_shift.exe", shift) && Write(dir, "hostile_ne_offset_out.exe", offsetOut) &&
         Write(dir, "hostile_ne_length_huge.exe", lengthHuge);
}

std::string BaseName(const std::string& path) {
  size_t slash = path.find_last_of('/');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: make_test_pe OUTDIR FILE.res...\n";
    return 2;
  }
  const std::string dir = argv[1];
  for (int i = 2; i < argc; ++i) {
    std::vector<Resource> resources;
    if (!ReadRes(argv[i], &resources)) {
      std::cerr << "make_test_pe: cannot read " << argv[i] << "\n";
      return 1;
    }
    RsrcLayout r;
    Bytes rsrc = BuildRsrc(resources, &r);
    PeLayout pe32, pe64;
    Bytes image32 = BuildPe(rsrc, false, &pe32);
    const std::string name = BaseName(argv[i]);
    if (!Write(dir, name + "_pe32.dll", image32) || !Write(dir, name + "_pe64.dll", BuildPe(rsrc, true, &pe64)))
      return 1;
    if (name == "v2700" && !WriteHostile(dir, image32, pe32, r)) return 1;
  }
  return WriteNeFiles(dir) ? 0 : 1;
}
