// HKEY_CLASSES_ROOT in the emulation: the machine's HKLM\Software\Classes,
// with the user's HKCU\Software\Classes keys in front, and protected as
// HKEY_LOCAL_MACHINE is for a user without administrator rights.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/posix/registry/registry_posix.h"
#include "tests/unit/temp_machine.h"

namespace {

class PosixRegistryClassesTest : public TempMachineTest {
 protected:
  void Load(const std::string& keys, bool nonAdmin = false) {
    WriteHostFile("registry.reg", "REGEDIT4\r\n\r\n" + keys);
    if (nonAdmin) WriteHostFile("non-admin", "");
    std::string why;
    ASSERT_TRUE(posix::LoadRegistry(Host("registry.reg"), &why)) << why;
  }
  // The default value of a key, "<no key>" or "<no value>".
  static std::string Default(HKEY root, const char* path) {
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return "<no key>";
    char data[64];
    DWORD size = sizeof data - 1, type;
    LONG status = RegQueryValueExA(key, "", nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return "<no value>";
    return std::string(data, size ? size - 1 : 0);
  }
  static LONG CreateWithDefault(HKEY root, const char* path, const char* text) {
    HKEY key;
    LONG status = RegCreateKeyA(root, path, &key);
    if (status != ERROR_SUCCESS) return status;
    status = RegSetValueExA(key, "", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), strlen(text) + 1);
    RegCloseKey(key);
    return status;
  }
};

const char kKeys[] =
    "[HKEY_LOCAL_MACHINE\\Software\\Classes\\.mach]\r\n@=\"machine\"\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Classes\\.both]\r\n@=\"machine\"\r\n\r\n"
    "[HKEY_CURRENT_USER\\Software\\Classes\\.both]\r\n@=\"user\"\r\n\r\n"
    "[HKEY_CURRENT_USER\\Software\\Classes\\.user]\r\n@=\"user\"\r\n\r\n"
    // A file of an older machine kept its own HKEY_CLASSES_ROOT keys.
    "[HKEY_CLASSES_ROOT\\.old]\r\n@=\"old\"\r\n\r\n";

TEST_F(PosixRegistryClassesTest, TheViewShowsTheUsersKeysBeforeTheMachines) {
  Load(kKeys);
  const struct {
    HKEY root;
    const char* path;
    const char* value;
  } rows[] = {
      {HKEY_CLASSES_ROOT, ".mach", "machine"},
      {HKEY_CLASSES_ROOT, ".both", "user"},
      {HKEY_CLASSES_ROOT, ".user", "user"},
      {HKEY_CLASSES_ROOT, ".old", "old"},
      {HKEY_LOCAL_MACHINE, "Software\\Classes\\.old", "old"},
      {HKEY_CLASSES_ROOT, ".none", "<no key>"},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
    EXPECT_EQ(Default(rows[i].root, rows[i].path), rows[i].value) << "row " << i;
}

TEST_F(PosixRegistryClassesTest, NewKeysGoToTheMachineAndValuesToTheKeyShown) {
  Load(kKeys);
  ASSERT_EQ(CreateWithDefault(HKEY_CLASSES_ROOT, ".new", "created"), ERROR_SUCCESS);
  ASSERT_EQ(CreateWithDefault(HKEY_CLASSES_ROOT, ".both", "changed"), ERROR_SUCCESS);
  EXPECT_EQ(Default(HKEY_LOCAL_MACHINE, "Software\\Classes\\.new"), "created");
  EXPECT_EQ(Default(HKEY_CURRENT_USER, "Software\\Classes\\.both"), "changed");
  EXPECT_EQ(Default(HKEY_LOCAL_MACHINE, "Software\\Classes\\.both"), "machine");
  std::string file = ReadHostFile("registry.reg");
  EXPECT_NE(file.find("[HKEY_LOCAL_MACHINE\\Software\\Classes\\.new]"), std::string::npos) << file;
  EXPECT_EQ(file.find("HKEY_CLASSES_ROOT"), std::string::npos) << file;
}

TEST_F(PosixRegistryClassesTest, WithoutAdministratorRightsTheMachinesClassesStayAsTheyAre) {
  Load(kKeys, true);
  const struct {
    const char* path;
    LONG status;
  } rows[] = {
      {".new", ERROR_ACCESS_DENIED},
      {".mach", ERROR_ACCESS_DENIED},
      {".mach\\shell", ERROR_ACCESS_DENIED},
      {".user", ERROR_SUCCESS},  // the user's own key
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
    EXPECT_EQ(CreateWithDefault(HKEY_CLASSES_ROOT, rows[i].path, "x"), rows[i].status) << "row " << i;
  HKEY key;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CLASSES_ROOT, ".mach", 0, KEY_SET_VALUE, &key), ERROR_ACCESS_DENIED);
  EXPECT_EQ(Default(HKEY_CLASSES_ROOT, ".mach"), "machine");
}

}  // namespace
