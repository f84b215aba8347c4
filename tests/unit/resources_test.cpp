// Pins the resource scripts of SETUP.EXE: the four dialog templates control
// by control (the dialog procedure finds every role by id, and the layout is
// part of the product), the version resource and the manifest. The scripts
// are read as text, so a later edit cannot drift unnoticed even on a machine
// without the Windows tool chain.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Styles = std::set<std::string>;

std::string ReadSource(const std::string& relative) {
  std::ifstream in(std::string(SETUP_SOURCE_DIR) + "/" + relative, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Drops // comments outside string literals.
std::string WithoutComments(const std::string& text) {
  std::string out;
  bool inString = false;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '"') inString = !inString;
    if (!inString && c == '/' && i + 1 < text.size() && text[i + 1] == '/') {
      while (i < text.size() && text[i] != '\n') ++i;
      out += '\n';
      continue;
    }
    out += c;
  }
  return out;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::stringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos) continue;
    lines.push_back(line.substr(first));
  }
  return lines;
}

std::string Trim(const std::string& text) {
  size_t first = text.find_first_not_of(" \t");
  size_t last = text.find_last_not_of(" \t");
  return first == std::string::npos ? "" : text.substr(first, last - first + 1);
}

// Splits at commas outside string literals.
std::vector<std::string> Fields(const std::string& text) {
  std::vector<std::string> fields(1);
  bool inString = false;
  for (char c : text) {
    if (c == '"') inString = !inString;
    if (c == ',' && !inString) {
      fields.push_back("");
      continue;
    }
    fields.back() += c;
  }
  for (std::string& field : fields) field = Trim(field);
  return fields;
}

Styles StyleSet(const std::string& expression) {
  Styles styles;
  std::stringstream in(expression);
  std::string word;
  while (std::getline(in, word, '|')) styles.insert(Trim(word));
  return styles;
}

std::string Unquoted(const std::string& text) {
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') return text.substr(1, text.size() - 2);
  return "<not quoted: " + text + ">";
}

std::map<std::string, long> DialogIds() {
  std::map<std::string, long> ids;
  std::regex define(R"(#define\s+(IDC_\w+)\s+(\d+))");
  std::string text = ReadSource("resources/dialog_ids.h");
  for (std::sregex_iterator it(text.begin(), text.end(), define), end; it != end; ++it)
    ids[(*it)[1]] = std::stol((*it)[2]);
  return ids;
}

struct Control {
  long id;
  std::string className;
  std::string text;
  Styles styles;
  int x, y, width, height;
};

struct Dialog {
  int x = 0, y = 0, width = 0, height = 0;
  Styles styles;
  std::vector<std::string> otherStatements;  // anything besides STYLE and CAPTION
  std::vector<Control> controls;
  std::vector<std::string> unparsedLines;
};

Control ParseControl(const std::string& line, const std::map<std::string, long>& ids,
                     std::vector<std::string>* unparsed) {
  Control control{-1, "", "", {}, -1, -1, -1, -1};
  std::vector<std::string> fields = Fields(line.substr(std::string("CONTROL").size()));
  if (fields.size() != 8) {
    unparsed->push_back(line);
    return control;
  }
  control.text = Unquoted(fields[0]);
  auto id = ids.find(fields[1]);
  control.id = id != ids.end() ? id->second : std::stol(fields[1]);
  control.className = Unquoted(fields[2]);
  control.styles = StyleSet(fields[3]);
  control.x = std::stoi(fields[4]);
  control.y = std::stoi(fields[5]);
  control.width = std::stoi(fields[6]);
  control.height = std::stoi(fields[7]);
  return control;
}

std::map<std::string, Dialog> ParseDialogs() {
  std::map<std::string, long> ids = DialogIds();
  std::map<std::string, Dialog> dialogs;
  std::regex header(R"((\w+)\s+DIALOG\s+(\d+)\s*,\s*(\d+)\s*,\s*(\d+)\s*,\s*(\d+))");
  Dialog* current = nullptr;
  bool inBody = false;
  for (const std::string& line : Lines(WithoutComments(ReadSource("resources/dialogs.rc")))) {
    std::smatch match;
    if (line.rfind("#include", 0) == 0) continue;
    if (!current && std::regex_match(line, match, header)) {
      current = &dialogs[match[1]];
      current->x = std::stoi(match[2]);
      current->y = std::stoi(match[3]);
      current->width = std::stoi(match[4]);
      current->height = std::stoi(match[5]);
    } else if (current && !inBody && line == "BEGIN") {
      inBody = true;
    } else if (current && !inBody && line.rfind("STYLE ", 0) == 0) {
      current->styles = StyleSet(line.substr(6));
    } else if (current && !inBody && line.rfind("CAPTION ", 0) == 0) {
      // The stored caption is replaced when the dialog opens.
    } else if (current && !inBody) {
      current->otherStatements.push_back(line);
    } else if (current && line == "END") {
      current = nullptr;
      inBody = false;
    } else if (current && line.rfind("CONTROL ", 0) == 0) {
      current->controls.push_back(ParseControl(line, ids, &current->unparsedLines));
    } else if (current) {
      current->unparsedLines.push_back(line);
    } else {
      dialogs["<outside any dialog>"].unparsedLines.push_back(line);
    }
  }
  return dialogs;
}

const Styles kDefaultButton = {"BS_DEFPUSHBUTTON", "WS_CHILD", "WS_VISIBLE", "WS_TABSTOP"};
const Styles kButton = {"BS_PUSHBUTTON", "WS_CHILD", "WS_VISIBLE", "WS_TABSTOP"};
const Styles kCheckBox = {"BS_AUTOCHECKBOX", "WS_CHILD", "WS_VISIBLE", "WS_TABSTOP"};
const Styles kPathEdit = {"ES_LEFT", "ES_AUTOHSCROLL", "WS_BORDER", "WS_CHILD", "WS_VISIBLE", "WS_TABSTOP"};
const Styles kStaticGroup = {"SS_LEFT", "WS_CHILD", "WS_VISIBLE", "WS_GROUP"};
// Statics that show data, where "&" is no mnemonic mark.
const Styles kTextGroup = {"SS_LEFT", "SS_NOPREFIX", "WS_CHILD", "WS_VISIBLE", "WS_GROUP"};
const Styles kCentredText = {"SS_CENTER", "SS_NOPREFIX", "WS_CHILD", "WS_VISIBLE", "WS_GROUP"};
const Styles kTextPlain = {"SS_LEFT", "SS_NOPREFIX", "WS_CHILD", "WS_VISIBLE"};
const Styles kDialogStyle = {"DS_MODALFRAME", "WS_POPUP", "WS_CAPTION", "WS_SYSMENU"};

struct ExpectedDialog {
  int x, y, width, height;
  std::vector<Control> controls;
};

const std::map<std::string, ExpectedDialog>& Expected() {
  static const std::map<std::string, ExpectedDialog> expected = {
      {"MSGBOXCONTINUE",
       {18, 18, 174, 68,
        {{1, "BUTTON", "OK", kDefaultButton, 34, 34, 31, 14},
         {2, "BUTTON", "Cancel", kButton, 100, 34, 33, 14},
         {101, "STATIC", "Continue Installation?", kCentredText, 5, 4, 166, 24},
         {107, "STATIC", "", kCentredText, 3, 51, 169, 12}}}},
      {"MSGBOXLOGFILE",
       {18, 18, 203, 93,
        {{1, "BUTTON", "Close", kDefaultButton, 136, 71, 59, 14},
         {106, "BUTTON", "show Logfile", kButton, 10, 62, 58, 14},
         {101, "STATIC", "Sucess?", kTextGroup, 9, 10, 181, 29},
         {107, "STATIC", "LogFilePath", kCentredText, 8, 50, 187, 10},
         {65535, "STATIC", "Logfile:", kStaticGroup, 8, 41, 52, 8}}}},
      {"MSGBOXSOC",
       {18, 18, 183, 83,
        {{105, "BUTTON", "always", kCheckBox, 39, 31, 39, 12},
         {1, "BUTTON", "Skip copy", kDefaultButton, 8, 43, 41, 14},
         {4, "BUTTON", "Overwrite", kButton, 59, 43, 55, 14},
         {104, "BUTTON", "with Backup to", kCheckBox, 59, 57, 63, 12},
         {102, "EDIT", "FilePath", kPathEdit, 5, 67, 157, 11},
         {103, "BUTTON", "...", kButton, 166, 67, 12, 10},
         {2, "BUTTON", "Cancel Install", kButton, 123, 43, 56, 14},
         {101, "STATIC", "Continue Installation?", kCentredText, 5, 4, 166, 24}}}},
      {"PATHSEL",
       {10, 35, 187, 63,
        {{1, "BUTTON", "&OK", kButton, 31, 44, 38, 15},
         {101, "STATIC", "The program will be installed to:", kTextPlain, 6, 10, 123, 12},
         {2, "BUTTON", "Cancel", kButton, 86, 44, 43, 15},
         {102, "EDIT", "", kPathEdit, 7, 26, 149, 12},
         {103, "BUTTON", "...", kButton, 162, 27, 15, 9}}}},
  };
  return expected;
}

std::string Describe(const Control& c) {
  std::string styles;
  for (const std::string& s : c.styles) styles += (styles.empty() ? "" : "|") + s;
  return std::to_string(c.id) + " " + c.className + " \"" + c.text + "\" " + styles + " " +
         std::to_string(c.x) + "," + std::to_string(c.y) + "," + std::to_string(c.width) + "," +
         std::to_string(c.height);
}

TEST(ResourcesDialogs, ControlIdsAreTheSharedOnes) {
  std::map<std::string, long> ids = DialogIds();
  std::map<std::string, long> expected = {
      {"IDC_ACCEPT", 1},    {"IDC_CANCEL", 2},  {"IDC_OVERWRITE", 4}, {"IDC_MESSAGE", 101},
      {"IDC_PATH", 102},    {"IDC_BROWSE", 103}, {"IDC_BACKUP", 104},  {"IDC_ALWAYS", 105},
      {"IDC_SHOW_LOG", 106}, {"IDC_LINK", 107},  {"IDC_LABEL", 65535}};
  EXPECT_EQ(ids, expected);
}

TEST(ResourcesDialogs, ExactlyTheFourTemplatesAndNothingElse) {
  std::map<std::string, Dialog> dialogs = ParseDialogs();
  std::vector<std::string> names;
  for (const auto& entry : dialogs) names.push_back(entry.first);
  EXPECT_EQ(names, (std::vector<std::string>{"MSGBOXCONTINUE", "MSGBOXLOGFILE", "MSGBOXSOC", "PATHSEL"}));
}

TEST(ResourcesDialogs, EveryTemplateIsAModalPopupWithTheSystemFont) {
  for (const auto& entry : ParseDialogs()) {
    SCOPED_TRACE(entry.first);
    EXPECT_EQ(entry.second.styles, kDialogStyle);
    // No FONT (the system dialog font), no EXSTYLE, no MENU or CLASS.
    EXPECT_TRUE(entry.second.otherStatements.empty()) << entry.second.otherStatements.front();
    EXPECT_TRUE(entry.second.unparsedLines.empty()) << entry.second.unparsedLines.front();
  }
}

TEST(ResourcesDialogs, EveryTemplateHasItsPlaceAndControlsInTabOrder) {
  std::map<std::string, Dialog> dialogs = ParseDialogs();
  for (const auto& expected : Expected()) {
    SCOPED_TRACE(expected.first);
    ASSERT_EQ(dialogs.count(expected.first), 1u);
    const Dialog& actual = dialogs[expected.first];
    EXPECT_EQ(actual.x, expected.second.x);
    EXPECT_EQ(actual.y, expected.second.y);
    EXPECT_EQ(actual.width, expected.second.width);
    EXPECT_EQ(actual.height, expected.second.height);
    ASSERT_EQ(actual.controls.size(), expected.second.controls.size());
    for (size_t i = 0; i < actual.controls.size(); ++i)
      EXPECT_EQ(Describe(actual.controls[i]), Describe(expected.second.controls[i])) << "control " << i;
  }
}

TEST(ResourcesDialogs, SetupScriptIncludesTheTemplates) {
  std::string script = ReadSource("resources/setup.rc");
  EXPECT_NE(script.find("#include \"dialogs.rc\""), std::string::npos);
}

// The version resource is read back for every caption, and its translation
// names the string table that the reader looks in.
TEST(ResourcesVersion, VersionResourceUsesTheSharedNumbersAndOneEnglishTable) {
  std::string script = WithoutComments(ReadSource("resources/setup.rc"));
  const char* statements[] = {
      "FILEVERSION SETUP_VERSION_MAJOR, SETUP_VERSION_MINOR, SETUP_VERSION_RELEASE, SETUP_VERSION_BUILD",
      "PRODUCTVERSION SETUP_VERSION_MAJOR, SETUP_VERSION_MINOR, SETUP_VERSION_RELEASE, SETUP_VERSION_BUILD",
      "BLOCK \"040904E4\"",
      "VALUE \"CompanyName\", SETUP_COMPANY_NAME",
      "VALUE \"FileDescription\", SETUP_FILE_DESCRIPTION",
      "VALUE \"FileVersion\", SETUP_VERSION_TEXT",
      "VALUE \"InternalName\", SETUP_INTERNAL_NAME",
      "VALUE \"LegalCopyright\", SETUP_LEGAL_COPYRIGHT",
      "VALUE \"OriginalFilename\", SETUP_ORIGINAL_FILENAME",
      "VALUE \"ProductName\", SETUP_PRODUCT_NAME",
      "VALUE \"ProductVersion\", SETUP_VERSION_TEXT",
      "VALUE \"Translation\", SETUP_TRANSLATION_LANG, SETUP_TRANSLATION_CODEPAGE",
      "1 24 \"setup.manifest\"",
  };
  std::vector<std::string> lines = Lines(script);
  for (const char* statement : statements) {
    bool found = false;
    for (const std::string& line : lines) found = found || line == statement;
    EXPECT_TRUE(found) << statement;
  }
  std::string header = ReadSource("resources/version.h");
  for (const char* define :
       {"#define SETUP_VERSION_MAJOR 1\n", "#define SETUP_VERSION_MINOR 0\n", "#define SETUP_VERSION_RELEASE 0\n",
        "#define SETUP_VERSION_BUILD 0\n", "#define SETUP_VERSION_TEXT \"1.0.0.0\"\n",
        "#define SETUP_TRANSLATION_LANG 0x0409\n", "#define SETUP_TRANSLATION_CODEPAGE 1252\n"})
    EXPECT_NE(header.find(define), std::string::npos) << define;
}

TEST(ResourcesManifest, RunsAsInvokerOnEverySupportedSystem) {
  std::string manifest = ReadSource("resources/setup.manifest");
  for (const char* needle : {
           "<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>",
           "{e2011457-1546-43c5-a5fe-008deee3d3f0}",  // Vista
           "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // 7
           "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // 8
           "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // 8.1
           "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // 10 and 11
           "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
           "publicKeyToken=\"6595b64144ccf1df\"",
           ">true</dpiAware>",
           ">PerMonitorV2</dpiAwareness>",
       })
    EXPECT_NE(manifest.find(needle), std::string::npos) << needle;
}

}  // namespace
