// Reading a .reg file into the registry tree, as regedit imports one.
#include <cstring>

#include "platform/posix/kernel/kernel_posix.h"
#include "platform/posix/registry/registry_posix.h"

namespace posix {
namespace {

const char kHeader4[] = "REGEDIT4";
const char kHeader5[] = "Windows Registry Editor Version 5.00";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string TrimRight(const std::string& s) {
  size_t end = s.size();
  while (end > 0 && (IsBlank(s[end - 1]) || s[end - 1] == '\r')) --end;
  return s.substr(0, end);
}

std::string TrimLeft(const std::string& s) {
  size_t start = 0;
  while (start < s.size() && IsBlank(s[start])) ++start;
  return s.substr(start);
}

bool StartsWithIgnoreCase(const std::string& s, size_t pos, const char* prefix) {
  size_t n = strlen(prefix);
  if (pos > s.size() || s.size() - pos < n) return false;
  for (size_t i = 0; i < n; ++i) {
    char a = s[pos + i], b = prefix[i];
    if (a >= 'A' && a <= 'Z') a += 32;
    if (a != b) return false;
  }
  return true;
}

void SkipBlanks(const std::string& s, size_t* pos) {
  while (*pos < s.size() && IsBlank(s[*pos])) ++*pos;
}

// Nothing but blanks or a comment from pos on: what may follow the data.
bool OnlyCommentFollows(const std::string& s, size_t pos) {
  SkipBlanks(s, &pos);
  return pos == s.size() || s[pos] == ';';
}

// A quoted text starting at s[*pos] == '"'; on return *pos is behind the
// closing quote. \\ and \" are the escapes of the format; \n and \r are read
// as Wine writes them; any other backslash stays as it is.
bool ReadQuoted(const std::string& s, size_t* pos, std::string* out) {
  out->clear();
  size_t i = *pos + 1;
  while (i < s.size()) {
    char c = s[i];
    if (c == '"') {
      *pos = i + 1;
      return true;
    }
    if (c == '\\' && i + 1 < s.size()) {
      char e = s[i + 1];
      if (e == '\\' || e == '"') *out += e;
      else if (e == 'n') *out += '\n';
      else if (e == 'r') *out += '\r';
      else *out += std::string(1, c) + e;
      i += 2;
      continue;
    }
    *out += c;
    ++i;
  }
  return false;
}

// Comma-separated hex bytes up to the end of the text or a comment.
bool ReadHexBytes(const std::string& s, size_t pos, std::string* out) {
  out->clear();
  SkipBlanks(s, &pos);
  while (pos < s.size() && s[pos] != ';') {
    int hi = HexDigit(s[pos]);
    if (hi < 0) return false;
    int value = hi;
    ++pos;
    if (pos < s.size() && HexDigit(s[pos]) >= 0) value = value * 16 + HexDigit(s[pos++]);
    *out += static_cast<char>(value);
    SkipBlanks(s, &pos);
    if (pos == s.size() || s[pos] == ';') break;
    if (s[pos] != ',') return false;
    ++pos;
    SkipBlanks(s, &pos);
  }
  return true;
}

// Up to eight hex digits as a number; *pos moves behind them.
bool ReadHexNumber(const std::string& s, size_t* pos, DWORD* value) {
  size_t start = *pos;
  *value = 0;
  while (*pos < s.size() && HexDigit(s[*pos]) >= 0 && *pos - start < 8)
    *value = *value * 16 + HexDigit(s[(*pos)++]);
  return *pos > start && (*pos == s.size() || HexDigit(s[*pos]) < 0);
}

bool IsStringType(DWORD type) {
  return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

struct ValueData {
  bool remove = false;
  DWORD type = REG_NONE;
  std::string bytes;
};

class RegFileParser {
 public:
  RegFileParser(const std::string& text, Registry* registry) : registry_(registry) {
    SplitLines(text);
  }

  bool Run(std::string* whyNot) {
    if (!ReadHeader()) {
      if (whyNot) *whyNot = "not a registry file (no REGEDIT4 header)";
      return false;
    }
    while (next_ < lines_.size()) ParseLine(TrimLeft(TrimRight(lines_[next_++])));
    return true;
  }

 private:
  void SplitLines(const std::string& text) {
    size_t start = 0;
    while (start <= text.size()) {
      size_t end = text.find('\n', start);
      if (end == std::string::npos) end = text.size();
      lines_.push_back(text.substr(start, end - start));
      start = end + 1;
    }
  }

  bool ReadHeader() {
    if (lines_.empty()) return false;
    std::string header = TrimLeft(TrimRight(lines_[0]));
    if (header.compare(0, 3, "\xEF\xBB\xBF") == 0) header = header.substr(3);
    next_ = 1;
    if (header == kHeader4) return true;
    unicode_ = true;
    return header == kHeader5;
  }

  void ParseLine(const std::string& line) {
    if (line.empty() || line[0] == ';' || line[0] == '#') return;
    if (line[0] == '[') return ParseKeyLine(line);
    if (!key_) return;  // values of a key that could not be opened
    std::string name;
    size_t pos = 0;
    if (line[0] == '@') {
      pos = 1;
    } else if (line[0] != '"' || !ReadQuoted(line, &pos, &name)) {
      return;
    }
    SkipBlanks(line, &pos);
    if (pos >= line.size() || line[pos] != '=') return;
    ++pos;
    SkipBlanks(line, &pos);
    ValueData value;
    if (!ParseData(line.substr(pos), &value)) return;
    if (value.remove) RemoveValue(key_, name);
    else PutValue(key_, name, value.type, value.bytes);
  }

  void ParseKeyLine(const std::string& line) {
    key_ = nullptr;
    size_t close = line.rfind(']');
    if (close == std::string::npos) return;
    std::string path = line.substr(1, close - 1);
    if (!path.empty() && path[0] == '-') DeleteKey(path.substr(1));
    else key_ = OpenKey(path, true);
  }

  // The key of a full path ("HKEY_LOCAL_MACHINE\Software\x"), created when
  // asked to; nullptr for an unknown root.
  RegKey* OpenKey(const std::string& path, bool create) {
    size_t slash = path.find('\\');
    int root = RegRootIndexByName(path.substr(0, slash));
    if (root < 0) return nullptr;
    // A file of an older machine may hold HKEY_CLASSES_ROOT keys: they are
    // the machine's classes.
    if (root == RegRootIndexByHandle(HKEY_CLASSES_ROOT) && slash == std::string::npos && !create)
      return nullptr;  // the whole view is never deleted
    RegKey* key = root == RegRootIndexByHandle(HKEY_CLASSES_ROOT) ? MachineClassesKey(*registry_)
                                                                   : registry_->root(root);
    while (slash != std::string::npos && key) {
      size_t start = slash + 1;
      slash = path.find('\\', start);
      std::string part = path.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
      if (part.empty()) continue;
      key = create ? AddSubkey(key, part) : FindSubkey(key, part);
    }
    return key;
  }

  void DeleteKey(const std::string& path) {
    RegKey* key = OpenKey(path, false);
    if (key && key->parent) RemoveSubkey(key->parent, key);
  }

  bool ParseData(const std::string& text, ValueData* value) {
    size_t pos = 0;
    if (text.empty()) return false;
    if (text[0] == '-') {
      value->remove = true;
      return OnlyCommentFollows(text, 1);
    }
    if (text[0] == '"') {
      value->type = REG_SZ;
      if (!ReadQuoted(text, &pos, &value->bytes)) return false;
      value->bytes += '\0';
      return OnlyCommentFollows(text, pos);
    }
    if (StartsWithIgnoreCase(text, 0, "dword:")) {
      pos = 6;
      DWORD number;
      if (!ReadHexNumber(text, &pos, &number) || !OnlyCommentFollows(text, pos)) return false;
      value->type = REG_DWORD;
      for (int i = 0; i < 4; ++i) value->bytes += static_cast<char>((number >> (8 * i)) & 0xFF);
      return true;
    }
    return ParseHexData(text, value);
  }

  // hex:… (REG_BINARY) or hex(N):…, continued over lines that end in a backslash.
  bool ParseHexData(std::string text, ValueData* value) {
    size_t pos = 3;
    if (!StartsWithIgnoreCase(text, 0, "hex")) return false;
    value->type = REG_BINARY;
    if (pos < text.size() && text[pos] == '(') {
      ++pos;
      if (!ReadHexNumber(text, &pos, &value->type) || pos >= text.size() || text[pos] != ')')
        return false;
      ++pos;
    }
    if (pos >= text.size() || text[pos] != ':') return false;
    ++pos;
    while (!text.empty() && text.back() == '\\' && next_ < lines_.size()) {
      text.pop_back();
      text += TrimLeft(TrimRight(lines_[next_++]));
    }
    if (!ReadHexBytes(text, pos, &value->bytes)) return false;
    ConvertTextBytes(value);
    return true;
  }

  // Text types in hex form hold UTF-16 in the Unicode format and ANSI in
  // REGEDIT4; we keep ANSI. A missing terminator of an expandable or multi
  // string is added as the importer adds it.
  void ConvertTextBytes(ValueData* value) const {
    if (!IsStringType(value->type)) return;
    if (unicode_ && value->bytes.size() % 2 == 0) value->bytes = AnsiFromUtf16(value->bytes);
    bool needsTerminator = value->type == REG_EXPAND_SZ || value->type == REG_MULTI_SZ;
    if (needsTerminator && !value->bytes.empty() && value->bytes.back() != '\0') value->bytes += '\0';
  }

  Registry* registry_;
  std::vector<std::string> lines_;
  size_t next_ = 0;
  bool unicode_ = false;
  RegKey* key_ = nullptr;
};

// The text of a file saved in UTF-16LE (with its byte order mark) as ANSI.
std::string DecodeFileText(const std::string& text) {
  if (text.size() >= 2 && static_cast<unsigned char>(text[0]) == 0xFF &&
      static_cast<unsigned char>(text[1]) == 0xFE)
    return AnsiFromUtf16(text.substr(2));
  return text;
}

}  // namespace

bool ParseRegFile(const std::string& text, Registry* registry, std::string* whyNot) {
  RegFileParser parser(DecodeFileText(text), registry);
  return parser.Run(whyNot);
}

}  // namespace posix
