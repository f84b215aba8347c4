// ReadVersionInfo: a file's version from its version resource, through the
// platform's version functions only (the resource format is theirs to know).
#include <cstdlib>

#include "fileinfo/file_info.h"
#include "fileinfo/version_text.h"

TVersionInfo VersionInfo;

namespace {

// The version resource of a file in memory of its own, freed on leaving.
class VersionBlock {
 public:
  explicit VersionBlock(const char* path) {
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path, &handle);
    if (!size) return;
    data_ = malloc(size);
    if (data_ && !GetFileVersionInfoA(path, handle, size, data_)) {
      free(data_);
      data_ = nullptr;
    }
  }
  ~VersionBlock() { free(data_); }
  VersionBlock(const VersionBlock&) = delete;
  VersionBlock& operator=(const VersionBlock&) = delete;

  bool loaded() const { return data_ != nullptr; }
  // The value of subBlock, nullptr when the resource does not hold it.
  const void* query(const char* subBlock, UINT* length) const {
    void* value = nullptr;
    *length = 0;
    if (!VerQueryValueA(data_, subBlock, &value, length)) return nullptr;
    return value;
  }

 private:
  void* data_ = nullptr;
};

// Sets field to a string value of the resource's string table, when it is
// there; a missing value leaves the field as an earlier file set it.
void ReadStringValue(const VersionBlock& block, const char* table, const char* key,
                     Str& field) {
  Str subBlock = "\\StringFileInfo\\";
  subBlock += table;
  subBlock += key;
  UINT length = 0;
  const char* value = static_cast<const char*>(block.query(subBlock.c_str(), &length));
  if (!value) return;
  // The length counts characters, the NUL mostly included; never read
  // beyond it even when a resource lacks its NUL.
  size_t textLength = 0;
  while (textLength < length && value[textLength]) ++textLength;
  field = Str(value, textLength);
}

void ReadStringTable(const VersionBlock& block, const char* table) {
  struct Entry {
    const char* key;
    Str TVersionInfo::*field;
  };
  static const Entry entries[] = {
      {"\\FileDescription", &TVersionInfo::FileDescription},
      {"\\CompanyName", &TVersionInfo::CompanyName},
      {"\\FileVersion", &TVersionInfo::FileVersion},
      {"\\InternalName", &TVersionInfo::InternalName},
      {"\\LegalCopyright", &TVersionInfo::LegalCopyright},
      {"\\OriginalFilename", &TVersionInfo::OriginalFilename},
      {"\\ProductName", &TVersionInfo::ProductName},
      {"\\ProductVersion", &TVersionInfo::ProductVersion},
  };
  for (const Entry& entry : entries) ReadStringValue(block, table, entry.key, VersionInfo.*entry.field);
}

// The translation text of the resource's first translation entry, empty
// when it has none.
void ReadTranslation(const VersionBlock& block) {
  UINT length = 0;
  const void* value = block.query("\\VarFileInfo\\Translation", &length);
  if (!value || length < 4) {
    VersionInfo.Translation.clear();
    return;
  }
  // Language in the first word, code page in the second: read as one
  // little-endian 32-bit number, the code page becomes its high word.
  const unsigned char* bytes = static_cast<const unsigned char*>(value);
  uint32_t entry = bytes[0] | (bytes[1] << 8) | (static_cast<uint32_t>(bytes[2]) << 16) |
                   (static_cast<uint32_t>(bytes[3]) << 24);
  char text[TranslationTextSize];
  VersionInfo.Translation = FormatTranslationText(entry, text);
}

// Only an executable image ("MZ" in its first two bytes) can carry a version
// resource. Most installed files are not executables, and the platform's
// version functions open and map such a file several times just to find
// that out; two bytes read once give the same answer. A file that cannot
// be opened here (one that another program writes, say) is left to the
// version functions. It is opened as the date read opens a file, so that a
// handle kept open answers the date exactly as that read would. A copy
// wants the start of the file anyway: read into its room, the two bytes
// cost no read of their own, nor a seek back.
bool CertainlyNoImage(const char* path, HANDLE* keepOpen, FileHead* head) {
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  char two[2];
  FileHead start = head ? *head : FileHead{two, sizeof two, 0};
  bool read = ReadFile(file, start.bytes, start.room, &start.got, nullptr) != 0;
  bool noImage = read && (start.got < 2 || start.bytes[0] != 'M' || start.bytes[1] != 'Z');
  if (noImage && keepOpen) {
    if (head) *head = start;
    *keepOpen = file;
    return true;
  }
  CloseHandle(file);
  return noImage;
}

}  // namespace

int64_t ReadVersionInfo(const char* path, Str& versionText, HANDLE* keepOpen, FileHead* head) {
  if (keepOpen) *keepOpen = INVALID_HANDLE_VALUE;
  if (CertainlyNoImage(path, keepOpen, head)) return -1;
  VersionBlock block(path);
  if (!block.loaded()) return -1;
  UINT length = 0;
  const VS_FIXEDFILEINFO* fixed =
      static_cast<const VS_FIXEDFILEINFO*>(block.query("\\", &length));
  if (!fixed || length < sizeof(VS_FIXEDFILEINFO)) return -1;

  const uint32_t productMS = fixed->dwProductVersionMS;
  const uint32_t productLS = fixed->dwProductVersionLS;
  VersionInfo.Major = static_cast<uint16_t>(productMS >> 16);
  VersionInfo.Minor = static_cast<uint16_t>(productMS & 0xFFFF);
  VersionInfo.Release = static_cast<uint16_t>(productLS >> 16);
  VersionInfo.Build = static_cast<uint16_t>(productLS & 0xFFFF);
  char text[VersionTextSize];
  versionText = FormatVersionText(productMS, productLS, text);

  ReadTranslation(block);
  // Without a translation there is no string table to name: the string
  // fields keep what they hold.
  char table[TranslationTextSize];
  StringTableName(VersionInfo.Translation.c_str(), table);
  if (table[0]) ReadStringTable(block, table);
  return VersionNumberFromProductMS(productMS);
}
