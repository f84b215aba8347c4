// The process environment of the emulated machine.
//
// The emulated program sees its own table of variables, filled from the
// machine's `environment` file, never the host's environment: the host's
// variables (HOME, PATH of the host...) mean nothing to a Windows program,
// and the host environment stays untouched for the host programs we start.
//
// Return values follow what Windows and Wine 8 report alike where they agree
// (checked against Wine with a probe program); where they differ the Wine
// behaviour is taken, because the Windows build is compared under Wine.
#include <cstring>
#include <fstream>
#include <map>
#include <string>

#include "platform/posix/kernel/kernel_posix.h"
#include "platform/posix/machine/machine_posix.h"

namespace posix {
namespace {

struct Variable {
  std::string name;  // as first set
  std::string value;
};

// Upper case as Windows compares variable names: ASCII and the letters of
// code page 1252.
char UpperAnsi(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  if (u >= 'a' && u <= 'z') return static_cast<char>(u - 32);
  if (u >= 0xE0 && u <= 0xFE && u != 0xF7) return static_cast<char>(u - 32);
  if (u == 0x9A || u == 0x9C || u == 0x9E) return static_cast<char>(u - 16);
  if (u == 0xFF) return static_cast<char>(0x9F);
  return c;
}

std::string KeyOf(const char* name, size_t length) {
  std::string key(name, length);
  for (char& c : key) c = UpperAnsi(c);
  return key;
}

// Keyed by the upper-case name; a value's address stays valid until that
// variable is changed or removed.
std::map<std::string, Variable>& Table() {
  static std::map<std::string, Variable> table;
  return table;
}

const Variable* Find(const char* name, size_t length) {
  auto it = Table().find(KeyOf(name, length));
  return it == Table().end() ? nullptr : &it->second;
}

void Assign(const std::string& name, const std::string& value) {
  Variable& v = Table()[KeyOf(name.data(), name.size())];
  if (v.name.empty()) v.name = name;
  v.value = value;
}

}  // namespace

void LoadEnvironment(const std::string& environmentFile) {
  Table().clear();
  std::ifstream in(environmentFile, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;  // comment lines
    // A name may begin with "=" (Windows keeps "=C:" that way).
    size_t equals = line.find('=', 1);
    if (equals == std::string::npos) continue;
    Assign(line.substr(0, equals), line.substr(equals + 1));
  }
}

const char* FindVariable(const char* name) {
  if (!name || !*name) return nullptr;
  const Variable* v = Find(name, strlen(name));
  return v ? v->value.c_str() : nullptr;
}

}  // namespace posix

namespace {

// ExpandEnvironmentStringsA without the buffer: unknown names and a "%" that
// is not closed are copied as they stand; after an unknown name the scan goes
// on behind its closing "%", so "%A%B%" stays as it is; an empty name ("%%")
// is never known; values are inserted as they are (no recursion).
std::string Expand(const char* source) {
  std::string out;
  const char* p = source;
  while (*p) {
    if (*p != '%') {
      out += *p++;
      continue;
    }
    const char* close = strchr(p + 1, '%');
    if (!close) {
      out += p;
      break;
    }
    std::string name(p + 1, close);
    const char* value = name.empty() ? nullptr : posix::FindVariable(name.c_str());
    if (value)
      out += value;
    else
      out.append(p, close + 1);
    p = close + 1;
  }
  return out;
}

}  // namespace

extern "C" DWORD GetEnvironmentVariableA(LPCSTR name, LPSTR buffer, DWORD size) {
  const char* value = posix::FindVariable(name);
  if (!value) {
    SetLastError(ERROR_ENVVAR_NOT_FOUND);
    return 0;
  }
  DWORD length = static_cast<DWORD>(strlen(value));
  if (!buffer || size <= length) return length + 1;  // buffer untouched
  memcpy(buffer, value, length + 1);
  return length;
}

extern "C" BOOL SetEnvironmentVariableA(LPCSTR name, LPCSTR value) {
  if (!name) {
    SetLastError(ERROR_ENVVAR_NOT_FOUND);
    return FALSE;
  }
  // Wine and Windows refuse an empty name and a "=" after the first character.
  if (!*name || strchr(name + 1, '=')) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (!value) {
    posix::Table().erase(posix::KeyOf(name, strlen(name)));
    return TRUE;
  }
  posix::Assign(name, value);
  return TRUE;
}

// Returns the size the result needs, NUL included. A buffer that is too small
// receives as much as fits and a NUL, with last error 122 (Wine 8). Windows
// reports one more byte than needed in that case and asks for one spare byte
// in the ANSI form; callers treat any return above the size as "too small",
// which holds for both.
extern "C" DWORD ExpandEnvironmentStringsA(LPCSTR source, LPSTR destination, DWORD size) {
  std::string result = Expand(source ? source : "");
  DWORD needed = static_cast<DWORD>(result.size() + 1);
  if (!destination) size = 0;
  if (size >= needed) {
    memcpy(destination, result.c_str(), needed);
    return needed;
  }
  if (size > 0) {
    memcpy(destination, result.data(), size - 1);
    destination[size - 1] = '\0';
  }
  SetLastError(ERROR_INSUFFICIENT_BUFFER);
  return needed;
}
