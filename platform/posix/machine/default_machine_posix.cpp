// The default machine: one table of what a fresh 32-bit Windows for the user
// "user" holds that the installer looks at. Folder names and values are those
// of a fresh Wine prefix, except the Windows directory, which is C:\WINDOWS as
// on the Windows versions the installer was written for.
#include "platform/posix/machine/machine_posix.h"

#include <errno.h>
#include <string.h>
#include <sys/stat.h>

#include <fstream>

#include "platform/posix/win32_api_posix.h"

namespace posix {
namespace {

struct NameValue {
  const char* name;
  const char* value;
};

// The process environment (the `environment` file).
const NameValue kEnvironment[] = {
    {"ALLUSERSPROFILE", "C:\\ProgramData"},
    {"APPDATA", "C:\\users\\user\\AppData\\Roaming"},
    {"CommonProgramFiles", "C:\\Program Files\\Common Files"},
    {"HOMEDRIVE", "C:"},
    {"HOMEPATH", "\\users\\user"},
    {"LOCALAPPDATA", "C:\\users\\user\\AppData\\Local"},
    {"OS", "Windows_NT"},
    {"PATH", "C:\\WINDOWS\\system32;C:\\WINDOWS"},
    {"PATHEXT", ".com;.exe;.bat;.cmd"},
    {"ProgramData", "C:\\ProgramData"},
    {"ProgramFiles", "C:\\Program Files"},
    {"PUBLIC", "C:\\users\\Public"},
    {"SystemDrive", "C:"},
    {"SystemRoot", "C:\\WINDOWS"},
    {"TEMP", "C:\\users\\user\\Temp"},
    {"TMP", "C:\\users\\user\\Temp"},
    {"USERNAME", "user"},
    {"USERPROFILE", "C:\\users\\user"},
    {"windir", "C:\\WINDOWS"},
    {"winsysdir", "C:\\WINDOWS\\system32"},
};

// The shell folders, unexpanded as "User Shell Folders" keeps them; "Shell
// Folders" holds the same expanded.
const NameValue kUserFolders[] = {
    {"Administrative Tools",
     "%USERPROFILE%\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Administrative Tools"},
    {"AppData", "%USERPROFILE%\\AppData\\Roaming"},
    {"Cache", "%USERPROFILE%\\AppData\\Local\\Microsoft\\Windows\\INetCache"},
    {"Cookies", "%USERPROFILE%\\AppData\\Local\\Microsoft\\Windows\\INetCookies"},
    {"Desktop", "%USERPROFILE%\\Desktop"},
    {"Favorites", "%USERPROFILE%\\Favorites"},
    {"Fonts", "C:\\WINDOWS\\Fonts"},
    {"History", "%USERPROFILE%\\AppData\\Local\\Microsoft\\Windows\\History"},
    {"Local AppData", "%USERPROFILE%\\AppData\\Local"},
    {"My Music", "%USERPROFILE%\\Music"},
    {"My Pictures", "%USERPROFILE%\\Pictures"},
    {"My Videos", "%USERPROFILE%\\Videos"},
    {"NetHood", "%USERPROFILE%\\AppData\\Roaming\\Microsoft\\Windows\\Network Shortcuts"},
    {"Personal", "%USERPROFILE%\\Documents"},
    {"PrintHood", "%USERPROFILE%\\AppData\\Roaming\\Microsoft\\Windows\\Printer Shortcuts"},
    {"Programs", "%USERPROFILE%\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs"},
    {"Recent", "%USERPROFILE%\\AppData\\Roaming\\Microsoft\\Windows\\Recent"},
    {"SendTo", "%USERPROFILE%\\AppData\\Roaming\\Microsoft\\Windows\\SendTo"},
    {"Start Menu", "%USERPROFILE%\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu"},
    {"StartUp", "%USERPROFILE%\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp"},
    {"Templates", "%USERPROFILE%\\AppData\\Roaming\\Microsoft\\Windows\\Templates"},
};

const NameValue kCommonFolders[] = {
    {"Common AppData", "%ProgramData%"},
    {"Common Desktop", "%PUBLIC%\\Desktop"},
    {"Common Documents", "%PUBLIC%\\Documents"},
    {"Common Programs", "%ProgramData%\\Microsoft\\Windows\\Start Menu\\Programs"},
    {"Common Start Menu", "%ProgramData%\\Microsoft\\Windows\\Start Menu"},
    {"Common StartUp", "%ProgramData%\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp"},
    {"Common Templates", "%ProgramData%\\Microsoft\\Windows\\Templates"},
};

struct RegRow {
  const char* key;
  const char* name;
  int type;  // REG_SZ or REG_EXPAND_SZ
  const char* value;
};

const char kCurrentVersion[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const char kSetup[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Setup";
const char kInternational[] = "HKEY_CURRENT_USER\\Control Panel\\International";
const char kUserEnvironment[] = "HKEY_CURRENT_USER\\Environment";
const char kExplorer[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer";

// The Setup key deliberately has no SetupScratchDir: the INF directory is then
// %windir%\inf, as on NT and in Wine.
const RegRow kRegistry[] = {
    {kCurrentVersion, "CommonFilesDir", REG_SZ, "C:\\Program Files\\Common Files"},
    {kCurrentVersion, "DevicePath", REG_EXPAND_SZ, "%SystemRoot%\\inf"},
    {kCurrentVersion, "ProgramFilesDir", REG_SZ, "C:\\Program Files"},
    {kCurrentVersion, "ProgramFilesPath", REG_EXPAND_SZ, "%ProgramFiles%"},
    {kSetup, "BootDir", REG_SZ, "C:\\"},
    {kSetup, "SharedDir", REG_SZ, "C:\\WINDOWS"},
    {kInternational, "iDate", REG_SZ, "0"},
    {kInternational, "iTime", REG_SZ, "0"},
    {kInternational, "Locale", REG_SZ, "00000409"},
    {kInternational, "LocaleName", REG_SZ, "en-US"},
    {kInternational, "s1159", REG_SZ, "AM"},
    {kInternational, "s2359", REG_SZ, "PM"},
    {kInternational, "sDate", REG_SZ, "/"},
    {kInternational, "sLongDate", REG_SZ, "dddd, MMMM d, yyyy"},
    {kInternational, "sShortDate", REG_SZ, "M/d/yyyy"},
    {kInternational, "sTime", REG_SZ, ":"},
    {kInternational, "sTimeFormat", REG_SZ, "h:mm:ss tt"},
    {kUserEnvironment, "TEMP", REG_SZ, "C:\\users\\user\\Temp"},
    {kUserEnvironment, "TMP", REG_SZ, "C:\\users\\user\\Temp"},
};

// Folders that exist besides the shell folders, and the placeholder files of
// the system programs the installer looks for or starts.
const char* const kFolders[] = {
    "C:\\WINDOWS\\INF",          "C:\\WINDOWS\\system",
    "C:\\WINDOWS\\system32",     "C:\\WINDOWS\\TEMP",
    "C:\\Program Files\\Common Files", "C:\\users\\user\\Temp",
};
const char* const kPlaceholderFiles[] = {
    "C:\\WINDOWS\\notepad.exe",
    "C:\\WINDOWS\\system32\\notepad.exe",
    "C:\\WINDOWS\\system32\\rundll32.exe",
    "C:\\WINDOWS\\system32\\setupapi.dll",
};

// %NAME% of the default environment, for the folder table.
std::string ExpandDefault(const std::string& text) {
  std::string out = text;
  for (const NameValue& v : kEnvironment) {
    std::string reference = std::string("%") + v.name + "%";
    size_t at;
    while ((at = out.find(reference)) != std::string::npos) out.replace(at, reference.size(), v.value);
  }
  return out;
}

std::string QuotedRegString(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out + "\"";
}

// REG_EXPAND_SZ as REGEDIT4 writes it: the ANSI bytes with their NUL.
std::string ExpandStringBytes(const std::string& text) {
  static const char kHex[] = "0123456789abcdef";
  std::string out = "hex(2):";
  for (size_t i = 0; i <= text.size(); ++i) {
    unsigned char b = i < text.size() ? static_cast<unsigned char>(text[i]) : 0;
    if (i) out += ',';
    out += kHex[b >> 4];
    out += kHex[b & 15];
  }
  return out;
}

struct RegText {
  std::string text = "REGEDIT4\r\n";
  std::string lastKey;
  void Add(const std::string& key, const std::string& name, int type, const std::string& value) {
    if (key != lastKey) text += "\r\n[" + key + "]\r\n";
    lastKey = key;
    text += QuotedRegString(name) + "=";
    text += type == REG_EXPAND_SZ ? ExpandStringBytes(value) : QuotedRegString(value);
    text += "\r\n";
  }
  void AddFolders(const std::string& root, const NameValue* folders, size_t count) {
    for (size_t i = 0; i < count; ++i)
      Add(root + kExplorer + "\\User Shell Folders", folders[i].name, REG_EXPAND_SZ, folders[i].value);
    for (size_t i = 0; i < count; ++i)
      Add(root + kExplorer + "\\Shell Folders", folders[i].name, REG_SZ, ExpandDefault(folders[i].value));
  }
};

template <typename T, size_t N>
constexpr size_t CountOf(const T (&)[N]) {
  return N;
}

std::string HostPathOf(const std::string& root, const std::string& winPath) {
  std::string host = root + "/drive_" + static_cast<char>(winPath[0] | 0x20);
  for (size_t i = 2; i < winPath.size(); ++i) host += winPath[i] == '\\' ? '/' : winPath[i];
  return host;
}

bool MakeDirs(const std::string& hostPath, std::string* whyNot) {
  for (size_t slash = hostPath.find('/', 1);; slash = hostPath.find('/', slash + 1)) {
    std::string part = hostPath.substr(0, slash);
    if (mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) {
      *whyNot = "cannot create " + part + ": " + strerror(errno);
      return false;
    }
    if (slash == std::string::npos) return true;
  }
}

bool WriteHostFile(const std::string& hostPath, const std::string& content, std::string* whyNot) {
  std::ofstream out(hostPath, std::ios::binary | std::ios::trunc);
  out << content;
  out.close();
  if (!out) *whyNot = "cannot write " + hostPath;
  return static_cast<bool>(out);
}

bool CreateFolders(const std::string& root, std::string* whyNot) {
  for (const char* folder : kFolders)
    if (!MakeDirs(HostPathOf(root, folder), whyNot)) return false;
  for (const NameValue& f : kUserFolders)
    if (!MakeDirs(HostPathOf(root, ExpandDefault(f.value)), whyNot)) return false;
  for (const NameValue& f : kCommonFolders)
    if (!MakeDirs(HostPathOf(root, ExpandDefault(f.value)), whyNot)) return false;
  return true;
}

}  // namespace

std::string DefaultEnvironmentText() {
  std::string text;
  for (const NameValue& v : kEnvironment) text += std::string(v.name) + "=" + v.value + "\n";
  return text;
}

std::string DefaultRegistryText() {
  RegText reg;
  for (const RegRow& row : kRegistry) reg.Add(row.key, row.name, row.type, row.value);
  reg.AddFolders("HKEY_CURRENT_USER\\", kUserFolders, CountOf(kUserFolders));
  reg.AddFolders("HKEY_LOCAL_MACHINE\\", kCommonFolders, CountOf(kCommonFolders));
  return reg.text;
}

bool CreateDefaultMachine(const std::string& root, std::string* whyNot) {
  if (!CreateFolders(root, whyNot)) return false;
  for (const char* file : kPlaceholderFiles)
    if (!WriteHostFile(HostPathOf(root, file), "placeholder of a system program\r\n", whyNot)) return false;
  return WriteHostFile(root + "/environment", DefaultEnvironmentText(), whyNot) &&
         WriteHostFile(root + "/registry.reg", DefaultRegistryText(), whyNot);
}

}  // namespace posix
