// The .LNK bytes of the emulation's shell-link object, the wide-character
// conversion it is fed through, and the object as COM hands it out.
#include <gtest/gtest.h>

#include <string>

#include "platform/posix/links/links_posix.h"
#include "platform/posix/ui/ui_posix.h"
#include "platform/platform.h"
#include "tests/unit/lnkinfo_check.h"
#include "tests/unit/temp_machine.h"

namespace {

std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char c : bytes) {
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

posix::LinkFileData KnownLink() {
  posix::LinkFileData data;
  data.targetPath = "C:\\a.exe";
  posix::LinkVolume volume;
  volume.serialNumber = 0x12345678;
  data.volume = volume;
  data.targetAttributes = FILE_ATTRIBUTE_ARCHIVE;
  data.writeTime = FILETIME{0x11223344, 0x01D00000};
  data.targetSize = 0x200;
  data.iconIndex = -2;
  data.relativePath = ".\\a.exe";
  data.workingDir = "C:\\";
  data.arguments = "x y";
  data.iconLocation = "C:\\\xE9.ico";
  return data;
}

TEST(LnkWriter, HeaderOfAFullLink) {
  std::string file = posix::BuildLinkFile(KnownLink());
  EXPECT_EQ(Hex(file.substr(0, 0x4C)),
            "4c000000"                          // HeaderSize
            "0114020000000000c000000000000046"  // LinkCLSID
            "fa000000"                          // LinkInfo, relative path, working dir, arguments, icon, Unicode
            "20000000"                          // FILE_ATTRIBUTE_ARCHIVE
            "0000000000000000"                  // creation
            "0000000000000000"                  // access
            "443322110000d001"                  // write
            "00020000"                          // FileSize
            "feffffff"                          // IconIndex -2
            "01000000"                          // SW_SHOWNORMAL
            "0000"                              // HotKey
            "00000000000000000000");            // reserved
}

TEST(LnkWriter, LinkInfoStringDataAndTerminalOfAFullLink) {
  std::string file = posix::BuildLinkFile(KnownLink());
  EXPECT_EQ(Hex(file.substr(0x4C)),
            // LinkInfo: size 0x37, header 0x1C, VolumeIDAndLocalBasePath,
            // VolumeID at 0x1C, base path at 0x2D, no network link, suffix at 0x36
            "370000001c00000001000000"
            "1c0000002d00000000000000""36000000"
            // VolumeID: size 0x11, fixed, serial, label at 0x10, empty label
            "110000000300000078563412""1000000000"
            "433a5c612e65786500"  // C:\a.exe
            "00"                  // CommonPathSuffix
            // StringData: count, then UTF-16LE without a NUL
            "07002e005c0061002e00650078006500"            // .\a.exe
            "030043003a005c00"                            // C:\ (working dir)
            "0300780020007900"                            // x y
            "080043003a005c00e9002e00690063006f00"        // C:\<e acute>.ico
            "00000000");                                  // TerminalBlock
}

TEST(LnkWriter, EmptyOrUnsetFieldsAreLeftOutWithTheirFlags) {
  posix::LinkFileData data;
  data.workingDir = "";
  data.arguments = "";
  std::string file = posix::BuildLinkFile(data);
  EXPECT_EQ(posix::LinkFlagsOf(data), posix::LinkIsUnicode);
  ASSERT_EQ(file.size(), 0x4Cu + 4);
  EXPECT_EQ(Hex(file.substr(0x14, 4)), "80000000");
  EXPECT_EQ(Hex(file.substr(0x4C)), "00000000");
}

TEST(LnkWriter, ATargetWithoutAVolumeHasNoLinkInfo) {
  posix::LinkFileData data;
  data.targetPath = "\\\\server\\share\\a.exe";
  data.arguments = "-x";
  EXPECT_EQ(posix::LinkFlagsOf(data), posix::LinkIsUnicode | posix::LinkHasArguments);
  EXPECT_EQ(Hex(posix::BuildLinkFile(data).substr(0x4C)), "02002d00780000000000");
}

TEST(LnkWriter, AnsiBecomesUtf16OfCodePage1252) {
  EXPECT_EQ(Hex(posix::Utf16FromAnsi("A\x80\xE9\x81\x9F")), "4100ac20e90081007801");
}

TEST(LnkWriter, RelativePathFromTheLinksFolder) {
  EXPECT_EQ(posix::RelativeTargetPath("C:\\M\\A\\x.lnk", "C:\\M\\A\\t.exe"), ".\\t.exe");
  EXPECT_EQ(posix::RelativeTargetPath("C:\\M\\A\\x.lnk", "c:\\m\\a\\Sub\\t.exe"), ".\\Sub\\t.exe");
  EXPECT_EQ(posix::RelativeTargetPath("C:\\M\\A\\x.lnk", "C:\\P\\t.exe"), "..\\..\\P\\t.exe");
  EXPECT_EQ(posix::RelativeTargetPath("C:\\x.lnk", "C:\\t.exe"), ".\\t.exe");
  EXPECT_EQ(posix::RelativeTargetPath("C:\\M\\x.lnk", "D:\\t.exe"), "");
}

TEST(MultiByteToWideChar, ConvertsTheAnsiCodePageWithItsNul) {
  WCHAR wide[8] = {0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF};
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "a\x80", -1, wide, 8), 3);
  EXPECT_EQ(wide[0], 'a');
  EXPECT_EQ(wide[1], 0x20AC);
  EXPECT_EQ(wide[2], 0);
  EXPECT_EQ(wide[3], 0xFFFF);
  // A counted text gets no NUL; size 0 asks for the size.
  EXPECT_EQ(MultiByteToWideChar(1252, 0, "abc", 2, wide, 8), 2);
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abcd", -1, nullptr, 0), 5);
}

TEST(MultiByteToWideChar, FailsAsWindowsDoes) {
  WCHAR wide[4];
  SetLastError(0);
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abcd", -1, wide, 4), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, nullptr, -1, wide, 4), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "a", 0, wide, 4), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(MultiByteToWideChar(4242, 0, "a", -1, wide, 4), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

// ---- the object as COM hands it out ----

class ShellLinkObjectTest : public TempMachineTest {
 protected:
  void SetUp() override {
    TempMachineTest::SetUp();
    CoInitialize(nullptr);
    ASSERT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                               reinterpret_cast<void**>(&link_)),
              S_OK);
    ASSERT_EQ(link_->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file_)), S_OK);
  }
  void TearDown() override {
    if (file_) file_->Release();
    if (link_) {
      EXPECT_EQ(link_->Release(), 0u);
    }
    TempMachineTest::TearDown();
  }
  HRESULT Save(const char* path) {
    WCHAR wide[300];
    EXPECT_GT(MultiByteToWideChar(CP_ACP, 0, path, -1, wide, 300), 0);
    return file_->Save(wide, TRUE);
  }

  IShellLinkA* link_ = nullptr;
  IPersistFile* file_ = nullptr;
};

TEST_F(ShellLinkObjectTest, OnlyTheShellLinkClassAndItsInterfacesAreServed) {
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(CoCreateInstance(IID_IPersistFile, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, &object),
            REGDB_E_CLASSNOTREG);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(link_->QueryInterface(CLSID_ShellLink, &object), E_NOINTERFACE);
  IUnknown* viaFile = nullptr;
  ASSERT_EQ(file_->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&viaFile)), S_OK);
  EXPECT_EQ(viaFile, static_cast<IUnknown*>(link_));  // one identity
  viaFile->Release();
}

TEST_F(ShellLinkObjectTest, SetPathAnswersSFalseForATargetThatExistsNowhere) {
  WriteHostFile("drive_c/App/app.exe", "0123456789");
  EXPECT_EQ(link_->SetPath("C:\\App\\app.exe"), S_OK);
  char path[MAX_PATH];
  EXPECT_EQ(link_->GetPath(path, MAX_PATH, nullptr, 0), S_OK);
  EXPECT_STREQ(path, "C:\\App\\app.exe");
  EXPECT_EQ(link_->SetPath("\"C:\\App\\none.exe\""), S_FALSE);
  EXPECT_EQ(link_->GetPath(path, MAX_PATH, nullptr, 0), S_OK);
  EXPECT_STREQ(path, "C:\\App\\none.exe");
}

TEST_F(ShellLinkObjectTest, SavedLinkRecordsTheExistingTarget) {
  WriteHostFile("drive_c/App/app.exe", "0123456789");
  WriteHostFile("drive_c/Menu/keep.txt", "");
  ASSERT_EQ(link_->SetPath("c:\\app\\APP.EXE"), S_OK);
  ASSERT_EQ(link_->SetArguments("/x"), S_OK);
  ASSERT_EQ(link_->SetWorkingDirectory("C:\\App"), S_OK);
  ASSERT_EQ(Save("C:\\Menu\\App.lnk"), S_OK);
  std::string bytes = ReadHostFile("drive_c/Menu/App.lnk");
  ASSERT_GE(bytes.size(), 0x4Cu);
  EXPECT_EQ(Hex(bytes.substr(0x18, 4)), "20000000");  // the target's attributes
  EXPECT_EQ(Hex(bytes.substr(0x34, 4)), "0a000000");  // and size
  if (!LnkInfoAvailable()) GTEST_SKIP() << "lnkinfo (liblnk-utils) is not installed";
  LnkInfoFields fields = RunLnkInfo(Host("drive_c/Menu/App.lnk"));
  ASSERT_TRUE(fields.ok) << fields.output;
  EXPECT_EQ(fields["Local path"], "C:\\app\\APP.EXE");
  EXPECT_EQ(fields["Relative path"], "..\\app\\APP.EXE");
  EXPECT_EQ(fields["Working directory"], "C:\\App");
  EXPECT_EQ(fields["Command line arguments"], "/x");
  EXPECT_EQ(fields["Icon location"], "");
}

TEST_F(ShellLinkObjectTest, SavingIntoAMissingFolderFailsWithItsWin32Error) {
  ASSERT_EQ(link_->SetPath("C:\\x.exe"), S_FALSE);
  EXPECT_EQ(Save("C:\\NoSuch\\App.lnk"), static_cast<HRESULT>(0x80070003));
}

}  // namespace
