// Registry contents for the tests of the registry phases: a machine whose
// registry.reg is written from REGEDIT4 text and loaded again, and readers
// of what the phases left in the registry, the environment and INI files.
#pragma once

#include <string>

#include "platform/posix/registry/registry_posix.h"
#include "tests/unit/log_test_support.h"

class RegistryPhaseTest : public LogStateTest {
 protected:
  // Replaces the machine's registry by the given keys.
  void WriteRegistry(const std::string& keys) {
    WriteHostFile("registry.reg", "REGEDIT4\r\n\r\n" + keys);
    std::string why;
    ASSERT_TRUE(posix::LoadRegistry(Host("registry.reg"), &why)) << why;
  }
  // A user without administrator rights: HKEY_LOCAL_MACHINE is read-only.
  void MakeNonAdmin() {
    WriteHostFile("non-admin", "");
    std::string why;
    ASSERT_TRUE(posix::LoadRegistry(Host("registry.reg"), &why)) << why;
  }
  // A REGEDIT4 REG_EXPAND_SZ value: hex(2) bytes of the ANSI text and its NUL.
  static std::string ExpandSz(const std::string& text) {
    static const char digits[] = "0123456789abcdef";
    std::string out = "hex(2):";
    for (unsigned char c : text) {
      out += digits[c >> 4];
      out += digits[c & 15];
      out += ',';
    }
    return out + "00";
  }
  // Value of a variable, "<unset>" when it is not set.
  static std::string Env(const char* name) {
    char value[1024];
    SetLastError(0);
    DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    if (length == 0 && GetLastError() == ERROR_ENVVAR_NOT_FOUND) return "<unset>";
    return std::string(value, length);
  }
  // A value of an INI file, "<absent>" when the key is missing.
  static std::string IniValue(const char* file, const char* section, const char* key) {
    char value[1024];
    GetPrivateProfileStringA(section, key, "<absent>", value, sizeof value, file);
    return value;
  }
  // Type and data of a registry value; false when it cannot be read.
  static bool ReadValue(HKEY root, const char* subkey, const char* name, DWORD& type,
                        std::string& data) {
    HKEY key;
    if (RegOpenKeyExA(root, subkey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
    BYTE buffer[4096];
    DWORD size = sizeof buffer;
    LONG result = RegQueryValueExA(key, name, nullptr, &type, buffer, &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS) return false;
    data.assign(reinterpret_cast<const char*>(buffer), size);
    return true;
  }
  // The text of a REG_SZ value without its NUL; "<none>" when it is missing
  // or of another type.
  static std::string StringValue(HKEY root, const char* subkey, const char* name) {
    DWORD type;
    std::string data;
    if (!ReadValue(root, subkey, name, type, data) || type != REG_SZ) return "<none>";
    if (!data.empty() && data.back() == '\0') data.pop_back();
    return data;
  }
};
