// Directory search, DOS masks and short names.
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstdio>

#include <string>
#include <vector>

#include "platform/posix/paths/paths_posix.h"
#include "tests/unit/temp_machine.h"

namespace {

class PosixFindTest : public TempMachineTest {
 protected:
  // "name|ALIAS" for each entry the search returns, in its order.
  std::vector<std::string> Find(const std::string& pattern, DWORD* error = nullptr) {
    std::vector<std::string> found;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
      if (error) *error = GetLastError();
      return found;
    }
    do {
      std::string entry = data.cFileName;
      if (data.cAlternateFileName[0]) entry += std::string("|") + data.cAlternateFileName;
      found.push_back(entry);
    } while (FindNextFileA(find, &data));
    EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
    EXPECT_TRUE(FindClose(find));
    if (error) *error = 0;
    return found;
  }
};

using Names = std::vector<std::string>;

TEST(DosMaskTest, StarDotStarMatchesNamesWithoutADot) {
  EXPECT_TRUE(posix::MatchDosMask("*.*", "README"));
  EXPECT_TRUE(posix::MatchDosMask("*.*", "a.b.c"));
  EXPECT_TRUE(posix::MatchDosMask("*", ".."));
  EXPECT_TRUE(posix::MatchDosMask("*.*", ".."));
}

TEST(DosMaskTest, TrailingDotMeansNoExtension) {
  EXPECT_TRUE(posix::MatchDosMask("*.", "README"));
  EXPECT_FALSE(posix::MatchDosMask("*.", "a.txt"));
  EXPECT_TRUE(posix::MatchDosMask("readme.", "README"));
}

TEST(DosMaskTest, QuestionMarksAndCase) {
  EXPECT_TRUE(posix::MatchDosMask("a?c.TXT", "ABC.txt"));
  EXPECT_FALSE(posix::MatchDosMask("a?c.txt", "ac.txt.bak"));
  EXPECT_TRUE(posix::MatchDosMask("a??.txt", "a.txt"));  // "?" may match nothing before the dot
  EXPECT_FALSE(posix::MatchDosMask("a?c", "a.c"));
  EXPECT_TRUE(posix::MatchDosMask("*.inf", "setup.INF"));
  EXPECT_FALSE(posix::MatchDosMask("*.inf", "a.info"));
  EXPECT_TRUE(posix::MatchDosMask("s*p.*", "setup.exe"));
}

TEST(ShortNameTest, ValidEightDotThreeNamesKeepTheirName) {
  EXPECT_TRUE(posix::IsLegal83("readme.txt"));
  EXPECT_TRUE(posix::IsLegal83("SETUP.EXE"));
  EXPECT_FALSE(posix::IsLegal83("a.info"));
  EXPECT_FALSE(posix::IsLegal83("long name.txt"));
  EXPECT_FALSE(posix::IsLegal83("a.b.c"));
  EXPECT_FALSE(posix::IsLegal83(".profile"));
  EXPECT_FALSE(posix::IsLegal83("ninechars"));
}

TEST(ShortNameTest, AliasesCountUpWithinTheFolder) {
  Names names = {"Program Files", "Program", "ProgramData", "a.info", "b.inf_old",
                 "archive.tar.gz", "x+y=z.html", ".htaccess", "PROGRA~1"};
  Names aliases = posix::ShortAliases(names);
  EXPECT_EQ(aliases[0], "PROGRA~2");  // PROGRA~1 exists as a real name
  EXPECT_EQ(aliases[1], "");
  EXPECT_EQ(aliases[2], "PROGRA~3");
  EXPECT_EQ(aliases[3], "A~1.INF");
  EXPECT_EQ(aliases[4], "B~1.INF");
  EXPECT_EQ(aliases[5], "ARCHIV~1.GZ");
  EXPECT_EQ(aliases[6], "X_Y_Z~1.HTM");
  EXPECT_EQ(aliases[7], "HTACCE~1");
  EXPECT_EQ(aliases[8], "");
}

// A host file system allows ':' and '\' in a name, which no Windows name
// holds; its alias must still be an 8.3 name that a path can carry.
TEST(ShortNameTest, HostOnlyCharactersBecomeUnderscores) {
  Names aliases = posix::ShortAliases({"a:b", "notes\\old.txt", "c:"});
  EXPECT_EQ(aliases, (Names{"A_B~1", "NOTES_~1.TXT", "C_~1"}));
}

TEST(ShortNameTest, TenAndMoreTakeAShorterName) {
  Names names;
  for (int i = 0; i < 10; ++i) names.push_back("Document " + std::to_string(i) + ".text");
  Names aliases = posix::ShortAliases(names);
  EXPECT_EQ(aliases[0], "DOCUME~1.TEX");
  EXPECT_EQ(aliases[8], "DOCUME~9.TEX");
  EXPECT_EQ(aliases[9], "DOCUM~10.TEX");
}

TEST_F(PosixFindTest, MasksMatchTheShortAliasToo) {
  WriteHostFile("drive_c/src/a.info", "");
  WriteHostFile("drive_c/src/b.inf_old", "");
  WriteHostFile("drive_c/src/setup.inf", "");
  WriteHostFile("drive_c/src/readme.txt", "");
  EXPECT_EQ(Find("C:\\SRC\\*.INF"), (Names{"a.info|A~1.INF", "b.inf_old|B~1.INF", "setup.inf"}));
}

TEST_F(PosixFindTest, DotEntriesComeFirstExceptInADriveRoot) {
  WriteHostFile("drive_c/d/Zeta.txt", "");
  WriteHostFile("drive_c/d/alpha", "");
  WriteHostFile("drive_c/d/_under", "");
  mkdir(Host("drive_c/d/Mid").c_str(), 0777);
  // Upper-cased order: "_" sorts after the letters.
  EXPECT_EQ(Find("C:\\d\\*"), (Names{".", "..", "alpha", "Mid", "Zeta.txt", "_under"}));
  EXPECT_EQ(Find("C:\\d\\*.*"), (Names{".", "..", "alpha", "Mid", "Zeta.txt", "_under"}));
  EXPECT_EQ(Find("C:\\d\\*."), (Names{".", "..", "alpha", "Mid", "_under"}));
  EXPECT_EQ(Find("C:\\d\\*.txt"), (Names{"Zeta.txt"}));
  Names root = Find("C:\\*");
  ASSERT_FALSE(root.empty());
  EXPECT_NE(root[0], ".");
}

TEST_F(PosixFindTest, UnknownDrivesAndNamesOfAnotherCase) {
  WriteHostFile("drive_c/d/one.txt", "");
  DWORD error = 0;
  EXPECT_TRUE(Find("Q:\\*", &error).empty());
  EXPECT_EQ(error, ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(Find("c:\\D\\ONE.TXT"), (Names{"one.txt"}));
}

TEST_F(PosixFindTest, ShortPathNamesAgreeWithTheSearch) {
  WriteHostFile("drive_c/Program Files/My App/setup.inf", "");
  char buffer[MAX_PATH];
  EXPECT_EQ(GetShortPathNameA("c:\\program files\\my app\\SETUP.INF", buffer, sizeof buffer), 29u);
  EXPECT_STREQ(buffer, "c:\\PROGRA~1\\MYAPP~1\\SETUP.INF");
  // The alias itself is accepted on the way in, and the size needed is told.
  EXPECT_EQ(GetShortPathNameA("C:\\PROGRA~1\\My App", buffer, 5), 20u);
  EXPECT_EQ(GetShortPathNameA("", buffer, sizeof buffer), 0u);
  EXPECT_EQ(GetLastError(), ERROR_BAD_PATHNAME);
  EXPECT_EQ(GetShortPathNameA("C:\\*.inf", buffer, sizeof buffer), 0u);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_NAME);
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA("C:\\PROGRA~1", &data);
  ASSERT_NE(find, INVALID_HANDLE_VALUE);
  EXPECT_STREQ(data.cFileName, "Program Files");
  EXPECT_STREQ(data.cAlternateFileName, "PROGRA~1");
  FindClose(find);
}

TEST_F(PosixFindTest, ShortFormsNameTheExistingFoldersOnTheWay) {
  WriteHostFile("drive_c/Program Files/My Application/app.exe", "x");
  EXPECT_EQ(GetFileAttributesA("C:\\PROGRA~1\\MYAPPL~1\\app.exe"), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
  ASSERT_TRUE(CreateDirectoryA("C:\\progra~1\\MYAPPL~1\\Data", nullptr));
  EXPECT_EQ(ReadHostFile("drive_c/Program Files/My Application/app.exe"), "x");
  struct stat st;
  EXPECT_EQ(stat(Host("drive_c/Program Files/My Application/Data").c_str(), &st), 0);
  EXPECT_NE(stat(Host("drive_c/PROGRA~1").c_str(), &st), 0);  // no folder of that name made
}

TEST_F(PosixFindTest, SambaAndWineFormsOfTheDosAttributeAreRead) {
  WriteHostFile("drive_c/wine.txt", "");
  WriteHostFile("drive_c/samba.txt", "");
  ASSERT_EQ(setxattr(Host("drive_c/wine.txt").c_str(), "user.DOSATTRIB", "0x2", 3, 0), 0);
  // Samba 4: empty text, version 4 twice, valid-field flags, attributes 0x24.
  const unsigned char record[] = {0, 4, 0, 4, 0, 0, 0, 1, 0, 0, 0, 0x24, 0, 0, 0};
  ASSERT_EQ(setxattr(Host("drive_c/samba.txt").c_str(), "user.DOSATTRIB", record, sizeof record, 0), 0);
  EXPECT_EQ(GetFileAttributesA("C:\\wine.txt"), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
  EXPECT_EQ(GetFileAttributesA("C:\\samba.txt"), static_cast<DWORD>(FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE));
  ASSERT_TRUE(SetFileAttributesA("C:\\wine.txt", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
  char text[16] = "";
  EXPECT_EQ(getxattr(Host("drive_c/wine.txt").c_str(), "user.DOSATTRIB", text, sizeof text), 4);
  EXPECT_STREQ(text, "0x22");
}

// What happens to the folder between two steps of a search: an entry that
// vanished is passed over; a folder that went away (its medium taken out)
// ends the search with "not ready", never with the end of the list.
TEST_F(PosixFindTest, FolderGoneDuringTheSearchIsAnErrorNotTheEnd) {
  struct Row {
    const char* change;  // what is done after the first entry was returned
    const char* next;    // the entry FindNextFileA returns, "" for a failure
    DWORD error;
  };
  const Row rows[] = {
      {"none", "b.txt", 0},
      {"b.txt removed", "c.txt", 0},
      {"folder renamed", "", ERROR_NOT_READY},
      {"folder removed", "", ERROR_NOT_READY},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    const Row& r = rows[row];
    std::string dir = Host("drive_c/m" + std::to_string(row));
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) WriteHostFile("drive_c/m" + std::to_string(row) + "/" + name, "x");
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(("C:\\m" + std::to_string(row) + "\\*.txt").c_str(), &data);
    ASSERT_NE(find, INVALID_HANDLE_VALUE) << "row " << row;
    EXPECT_STREQ(data.cFileName, "a.txt") << "row " << row;
    std::string change = r.change;
    if (change == "b.txt removed") unlink((dir + "/b.txt").c_str());
    if (change == "folder renamed") rename(dir.c_str(), (dir + ".gone").c_str());
    if (change == "folder removed") {
      for (const char* name : {"a.txt", "b.txt", "c.txt"}) unlink((dir + "/" + name).c_str());
      rmdir(dir.c_str());
    }
    SetLastError(0);
    BOOL found = FindNextFileA(find, &data);
    EXPECT_EQ(found != 0, *r.next != '\0') << "row " << row;
    if (found) {
      EXPECT_STREQ(data.cFileName, r.next) << "row " << row;
    }
    EXPECT_EQ(found ? 0 : GetLastError(), r.error) << "row " << row;
    FindClose(find);
  }
}

}  // namespace
