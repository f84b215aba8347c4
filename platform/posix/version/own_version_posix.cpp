// The native program's own version resource. The program has no PE
// resources, so the block is built here from resources/version.h, the
// same numbers the Windows build's resource script is made from, laid out
// as the resource compiler lays it out.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/posix/version/version_posix.h"
#include "version.h"

namespace posix {
namespace {

const uint32_t kFixedSignature = 0xFEEF04BD;
const uint32_t kFixedStrucVersion = 0x00010000;
const uint32_t kFileFlagsMask = 0x3F;
const uint32_t kFileOsNtWindows32 = 0x00040004;
const uint32_t kFileTypeApp = 1;

void PutU16(std::string* out, uint32_t v) {
  out->push_back(static_cast<char>(v & 0xFF));
  out->push_back(static_cast<char>((v >> 8) & 0xFF));
}
void PutU32(std::string* out, uint32_t v) {
  PutU16(out, v & 0xFFFF);
  PutU16(out, v >> 16);
}
void PadTo4(std::string* out) {
  while (out->size() % 4) out->push_back('\0');
}
// ASCII text as UTF-16LE with its NUL.
std::string Wide(const char* text) {
  std::string w;
  for (const char* p = text; *p; ++p) PutU16(&w, static_cast<uint8_t>(*p));
  PutU16(&w, 0);
  return w;
}

// One node: wLength, wValueLength, wType, key, value, children, each part
// starting on a 4-byte boundary; wLength leaves out trailing padding.
std::string Node(const char* key, bool text, const std::string& value, uint32_t valueLength,
                 const std::vector<std::string>& children) {
  std::string n;
  PutU16(&n, 0);
  PutU16(&n, valueLength);
  PutU16(&n, text ? 1 : 0);
  n += Wide(key);
  PadTo4(&n);
  n += value;
  for (const std::string& child : children) {
    PadTo4(&n);
    n += child;
  }
  n[0] = static_cast<char>(n.size() & 0xFF);
  n[1] = static_cast<char>((n.size() >> 8) & 0xFF);
  return n;
}

std::string StringNode(const char* key, const char* text) {
  std::string value = Wide(text);
  return Node(key, true, value, static_cast<uint32_t>(value.size() / 2), {});
}

std::string FixedFileInfo() {
  const uint32_t ms = (SETUP_VERSION_MAJOR << 16) | SETUP_VERSION_MINOR;
  const uint32_t ls = (SETUP_VERSION_RELEASE << 16) | SETUP_VERSION_BUILD;
  std::string f;
  for (uint32_t v : {kFixedSignature, kFixedStrucVersion, ms, ls, ms, ls, kFileFlagsMask, 0u,
                     kFileOsNtWindows32, kFileTypeApp, 0u, 0u, 0u})
    PutU32(&f, v);
  return f;
}

std::string BuildOwnVersionResource() {
  char table[9];
  std::snprintf(table, sizeof table, "%04X%04X", SETUP_TRANSLATION_LANG, SETUP_TRANSLATION_CODEPAGE);
  std::string strings = Node(table, true, "", 0,
                             {StringNode("CompanyName", SETUP_COMPANY_NAME),
                              StringNode("FileDescription", SETUP_FILE_DESCRIPTION),
                              StringNode("FileVersion", SETUP_VERSION_TEXT),
                              StringNode("InternalName", SETUP_INTERNAL_NAME),
                              StringNode("LegalCopyright", SETUP_LEGAL_COPYRIGHT),
                              StringNode("OriginalFilename", SETUP_ORIGINAL_FILENAME),
                              StringNode("ProductName", SETUP_PRODUCT_NAME),
                              StringNode("ProductVersion", SETUP_VERSION_TEXT)});
  std::string translation;
  PutU16(&translation, SETUP_TRANSLATION_LANG);
  PutU16(&translation, SETUP_TRANSLATION_CODEPAGE);
  std::string fixed = FixedFileInfo();
  return Node("VS_VERSION_INFO", false, fixed, static_cast<uint32_t>(fixed.size()),
              {Node("StringFileInfo", true, "", 0, {strings}),
               Node("VarFileInfo", true, "", 0, {Node("Translation", false, translation, 4, {})})});
}

}  // namespace

const std::string& OwnVersionResource() {
  static const std::string block = BuildOwnVersionResource();
  return block;
}

}  // namespace posix
