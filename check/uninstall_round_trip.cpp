// The uninstall round trip: when [RegWriteUninstall] registers an
// UninstallString that runs the setup engine on the installed copy, whatever
// the installation writes and that section does not delete stays on the
// machine after the uninstall, where no author sees it.
#include "actions/link_line.h"
#include "actions/registry_line.h"
#include "check/checks.h"
#include "check/package_files.h"
#include "check/uninstall_deletions.h"
#include "common/root_key.h"
#include "setupengine/hinf_command.h"
#include "setupengine/inf_strings.h"
#include "values/profile_values.h"

namespace {

enum { FilesKeyListSize = 2601, FilesValueSize = 262, RegKeyListSize = 520, LongValueSize = 2601,
       LinkKeyListSize = 519, IniKeyListSize = 2600, IniValueSize = 261, MaxReported = 256 };

Str UninstallSection;

// Keys and INI files written by several lines are reported once.
Str Reported[MaxReported];
int ReportedCount;

bool ReportOnce(const Str& name) {
  for (int i = 0; i < ReportedCount; ++i)
    if (SamePath(Reported[i].c_str(), name.c_str())) return false;
  if (ReportedCount < MaxReported) Reported[ReportedCount++] = name;
  return true;
}

void ReportLeftBehind(const char* section, const char* key, const char* what, const Str& name,
                      const char* directive) {
  Warning(LineOf(section, key), Where(section, key) + "the uninstall [" + UninstallSection + "] leaves " +
                                    what + name + " behind: no " + directive + " entry removes it");
}

const char* FileNamePart(const char* path) {
  const char* name = path;
  for (const char* p = path; *p; ++p)
    if (*p == '\\' || *p == ':') name = p + 1;
  return name;
}

bool HasFolderPart(const char* path) { return FileNamePart(path) != path; }

bool IsDeleted(const Str& path) {
  for (int i = 0; i < Deletions.FileCount; ++i)
    if (SamePath(Deletions.Files[i].c_str(), path.c_str())) return true;
  const char* name = FileNamePart(path.c_str());
  for (int i = 0; i < Deletions.NameCount; ++i)
    if (SamePath(FileNamePart(Deletions.NamesAnywhere[i].c_str()), name)) return true;
  return false;
}

void CheckFile(const char* section, const char* key, const char* what, const Str& path) {
  if (!IsDeleted(path)) ReportLeftBehind(section, key, what, path, "DelFiles");
}

// text with every %name% (case ignored) replaced by value.
Str Replaced(const Str& text, const char* name, const char* value) {
  Str result;
  size_t length = TextLength(name);
  for (size_t i = 0; i < text.size();) {
    Str part = text.substr(i, length);
    if (part.equalsIgnoreCase(name)) {
      result.append(value);
      i += length;
    } else {
      result.append(text[i++]);
    }
  }
  return result;
}

// The section an UninstallString runs on the installed copy; the run's
// names for the engine's program and library are what the line relies on.
bool ReadUninstallCommand(char* value, THinfCommand* command) {
  TRegWriteLine parts;
  if (!SplitRegWriteLine(value, parts) || !EqualsIgnoreCase(parts.ValueName, "UninstallString")) return false;
  Str line = Replaced(Replaced(parts.Data, "%rundll%", "rundll32"), "%setupx%", "setupAPI");
  const char* why;
  if (!ParseHinfCommandLine(line.c_str(), command, &why)) return false;
  return EqualsIgnoreCase(FileNamePart(command->infPath), FileNamePart(CheckInput.Path));
}

bool FindUninstallCommand(Str* uninstallKey, THinfCommand* command) {
  char keys[RegKeyListSize];
  ReadProfileKeyList(CheckInput.Path, "RegWriteUninstall", keys);
  for (const char* key : KeyList(keys)) {
    char value[LongValueSize];
    if (EqualsIgnoreCase(key, "ErrSection") || !ReadProfileValue(CheckInput.Path, "RegWriteUninstall", key, value))
      continue;
    if (ReadUninstallCommand(value, command)) {
      *uninstallKey = key;
      return true;
    }
  }
  return false;
}

struct TFilesLine {
  const char* Key;
  Str Destination;
};

void CheckInstalledFile(void* context, const Str& relative) {
  const TFilesLine& line = *static_cast<const TFilesLine*>(context);
  CheckFile("Files", line.Key, "the file ", JoinInfPath(line.Destination, relative.c_str()));
}

// Returns whether [Files] copies anything, which is when the run keeps its
// log in the installation folder.
bool CheckFiles() {
  char keys[FilesKeyListSize];
  ReadProfileKeyList(CheckInput.Path, "Files", keys);
  bool any = false;
  for (const char* key : KeyList(keys)) {
    char value[FilesValueSize];
    ReadProfileValue(CheckInput.Path, "Files", key, value);
    TFilesLine line{key, *value ? Str(value) : Str("%MyProgramPath%")};
    VisitPackageFiles(SplitFilesSource(key), CheckInstalledFile, &line);
    any = true;
  }
  return any;
}

void CheckLinks() {
  // Without MyStartMenu the links go to a folder only the target knows.
  bool knownFolder = KeyLine(*CheckInput.Index, "Strings", "MyStartMenu") != 0;
  char keys[LinkKeyListSize];
  ReadProfileKeyList(CheckInput.Path, "SetMnuLNK", keys);
  for (const char* key : KeyList(keys)) {
    char value[LongValueSize];
    if (!ReadProfileValue(CheckInput.Path, "SetMnuLNK", key, value)) continue;
    TLinkLine link;
    ParseLinkLine(value, link);
    if (!HasFolderPart(link.Name) && !knownFolder) continue;
    Str path = HasFolderPart(link.Name) ? Str(link.Name) : JoinInfPath("%MyStartMenu%", link.Name);
    CheckFile("SetMnuLNK", key, "the link ", path + ".LNK");
  }
}

// The system's own INI files (a bare name lies in the Windows folder) are
// shared with everything else and must stay.
bool IsSystemIniFile(const Str& file) {
  if (!HasFolderPart(file.c_str())) return true;
  Str folder = file.substr(0, static_cast<size_t>(FileNamePart(file.c_str()) - file.c_str()));
  return SamePath(folder.c_str(), "%windir%") || SamePath(folder.c_str(), "%windir%\\system") ||
         SamePath(folder.c_str(), "%windir%\\system32");
}

void CheckIniFiles() {
  char keys[IniKeyListSize];
  ReadProfileKeyList(CheckInput.Path, "IniWrite", keys);
  for (const char* key : KeyList(keys)) {
    char value[IniValueSize];
    if (!ReadProfileValue(CheckInput.Path, "IniWrite", key, value)) continue;
    const char* file = value;
    for (int commas = 0; *file && commas < 3; ++file) commas += *file == ',';
    if (!*file || IsSystemIniFile(file) || IsDeleted(file) || !ReportOnce(file)) continue;
    ReportLeftBehind("IniWrite", key, "the INI file ", file, "DelFiles");
  }
}

Str WithoutQuotes(const char* text) {
  Str result;
  for (const char* p = text; *p; ++p)
    if (*p != '"') result.append(*p);
  return result;
}

bool IsBelow(const Str& key, const Str& deleted) {
  if (SamePath(key.c_str(), deleted.c_str())) return true;
  return key.size() > deleted.size() && key[deleted.size()] == '\\' &&
         key.substr(0, deleted.size()).equalsIgnoreCase(deleted.c_str());
}

bool IsKeyDeleted(HKEY root, const Str& subKey, const char* valueName) {
  for (int i = 0; i < Deletions.KeyCount; ++i) {
    const TDeletedKey& deleted = Deletions.Keys[i];
    if (deleted.Root != root) continue;
    if (deleted.WholeKey ? IsBelow(subKey, deleted.SubKey)
                         : SamePath(subKey.c_str(), deleted.SubKey.c_str()) &&
                               deleted.ValueName.equalsIgnoreCase(valueName))
      return true;
  }
  return false;
}

void CheckRegistrySection(const char* section) {
  char keys[RegKeyListSize];
  ReadProfileKeyList(CheckInput.Path, section, keys);
  for (const char* key : KeyList(keys)) {
    char value[LongValueSize];
    if (EqualsIgnoreCase(key, "ErrSection") || !ReadProfileValue(CheckInput.Path, section, key, value)) continue;
    TRegWriteLine parts;
    HKEY root;
    if (!SplitRegWriteLine(value, parts) || !LookUpRootKey(parts.Root, root)) continue;
    Str subKey = WithoutQuotes(parts.Subkey);
    if (IsKeyDeleted(root, subKey, parts.ValueName)) continue;
    Str name = Str(parts.Root) + "\\" + subKey;
    if (ReportOnce(name)) ReportLeftBehind(section, key, "the key ", name, "DelReg");
  }
}

}  // namespace

void CheckUninstallRoundTrip() {
  Str key;
  THinfCommand command;
  if (!FindUninstallCommand(&key, &command)) return;
  UninstallSection = command.section;
  ReportedCount = 0;
  if (!ReadUninstallDeletions(command.section, Where("RegWriteUninstall", key.c_str()),
                              LineOf("RegWriteUninstall", key.c_str())))
    return;
  Str copy = JoinInfPath("%windir%\\inf", FileNamePart(CheckInput.Path));
  CheckFile("RegWriteUninstall", key.c_str(), "the installed copy ", copy);
  if (CheckFiles()) CheckFile("RegWriteUninstall", key.c_str(), "the log ", Str("%MyProgramPath%\\LOGFILKW.LOG"));
  CheckLinks();
  CheckIniFiles();
  CheckRegistrySection("RegWrite");
  CheckRegistrySection("RegWriteUninstall");
}
