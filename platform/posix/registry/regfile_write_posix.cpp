// Writing the registry tree as a REGEDIT4 file, laid out as regedit exports:
// CRLF line ends, a blank line before each key, lower-case hex, long hex
// lists continued on the next line after ",\".
#include <cstdio>

#include "platform/posix/registry/registry_posix.h"

namespace posix {
namespace {

const char kNewline[] = "\r\n";
// Hex lists are wrapped so that no line grows beyond this width.
const size_t kLineWidth = 80;

// Escapes for a quoted name or string: the format's \\ and \", and CR/LF as
// \r and \n so that a name holding them cannot break the line structure.
std::string Quote(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    if (c == '\n') out += "\\n";
    else if (c == '\r') out += "\\r";
    else out += c;
  }
  return out + "\"";
}

// A REG_SZ that the quoted form gives back unchanged: one terminating NUL,
// none inside, no line breaks (regedit itself would cut the line there).
bool FitsQuotedForm(const std::string& data) {
  if (data.empty() || data.back() != '\0') return false;
  for (size_t i = 0; i + 1 < data.size(); ++i)
    if (data[i] == '\0' || data[i] == '\r' || data[i] == '\n') return false;
  return true;
}

void AppendHexList(const std::string& bytes, size_t column, std::string* out) {
  char buf[4];
  for (size_t i = 0; i < bytes.size(); ++i) {
    snprintf(buf, sizeof(buf), "%02x", static_cast<unsigned char>(bytes[i]));
    *out += buf;
    column += 2;
    if (i + 1 == bytes.size()) break;
    *out += ',';
    ++column;
    if (column + 3 + 1 > kLineWidth) {  // the next "xx," and the backslash
      *out += "\\";
      *out += kNewline;
      *out += "  ";
      column = 2;
    }
  }
}

void AppendValue(const RegValue& value, std::string* out) {
  std::string line = value.name.empty() ? "@=" : Quote(value.name) + "=";
  if (value.type == REG_SZ && FitsQuotedForm(value.data)) {
    line += Quote(value.data.substr(0, value.data.size() - 1));
  } else if (value.type == REG_DWORD && value.data.size() == 4) {
    DWORD number = 0;
    for (int i = 3; i >= 0; --i) number = (number << 8) | static_cast<unsigned char>(value.data[i]);
    char buf[16];
    snprintf(buf, sizeof(buf), "dword:%08x", number);
    line += buf;
  } else {
    char buf[24];
    if (value.type == REG_BINARY) snprintf(buf, sizeof(buf), "hex:");
    else snprintf(buf, sizeof(buf), "hex(%x):", value.type);
    line += buf;
    // The column counts characters, which for the name are its bytes.
    AppendHexList(value.data, line.size(), &line);
  }
  *out += line;
  *out += kNewline;
}

void AppendKey(const RegKey& key, const std::string& path, bool isRoot, std::string* out) {
  // A root is written only when it holds values itself: it always exists.
  if (!isRoot || !key.values.empty()) {
    *out += kNewline;
    *out += "[" + path + "]";
    *out += kNewline;
    for (const RegValue& value : key.values) AppendValue(value, out);
  }
  for (const auto& child : key.subkeys) AppendKey(*child, path + "\\" + child->name, false, out);
}

}  // namespace

std::string WriteRegFile(const Registry& registry) {
  std::string out = "REGEDIT4";
  out += kNewline;
  for (int i = 0; i < RegRootCount(); ++i) AppendKey(*registry.root(i), RegRoots()[i].name, true, &out);
  out += kNewline;
  return out;
}

}  // namespace posix
