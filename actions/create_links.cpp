// A link section: one link per line, each logged as created or replaced.
#include "actions/create_links.h"

#include "actions/link_line.h"
#include "actions/programs_menu_dir.h"
#include "actions/shell_link.h"
#include "common/create_dir_chain.h"
#include "common/message_box.h"
#include "common/message_buffer.h"
#include "common/run_state.h"
#include "fileinfo/file_info.h"
#include "values/cut_key_list.h"
#include "values/expand.h"
#include "values/full_path.h"
#include "values/profile_values.h"

namespace {
enum { KeyListSize = 519, ValueSize = 2601, ExpandedSize = 2600, LinkPathSize = 260, FolderSize = 262 };

// Appends one log line made of up to five pieces (one call instead of a
// chain of temporary strings keeps the program small).
void LogLine(const char* a, const char* b = "", const char* c = "", const char* d = "",
             const char* e = "") {
  MessageBuffer.append(a).append(b).append(c).append(d).append(e).append("\r\n");
}

bool HasFolderPart(const char* name) {
  for (; *name; ++name)
    if (*name == '\\' || *name == ':') return true;
  return false;
}

// The folder for a link named without one: the default folder, or the
// user's Programs folder when there is none (the uninstall fallback, or no
// MyStartMenu), which the log then names. False when there is no folder.
bool LinkFolder(const char* defaultFolder, const char* linkName, char (&folder)[FolderSize]) {
  if (*defaultFolder) {
    CopyToBuffer(folder, FolderSize, defaultFolder);
    return true;
  }
  folder[0] = '\0';
  if (ReadProgramsFolder(true, folder, ProgramsFolderSize) != ProgramsFolderRead &&
      ReadProgramsFolder(false, folder, ProgramsFolderSize) != ProgramsFolderRead) {
    LogLine("Error: can't locate StartMenu\\Programs directory");
    return false;
  }
  LogLine("No Start Menu folder for ", linkName, ", using ", folder);
  return true;
}

// The link file as built from the line: folder, name and ".LNK"; folder
// receives the folder to be made for it (empty for a name with a folder of
// its own). False when there is no folder for it.
bool BuildLinkPath(const char* defaultFolder, const char* linkName, Str& path, Str& folder) {
  path.clear();
  folder.clear();
  if (!HasFolderPart(linkName)) {
    char found[FolderSize];
    if (!LinkFolder(defaultFolder, linkName, found)) return false;
    folder = found;
    path = folder;
    if (path.last() != '\\') path += '\\';
  }
  path += linkName;
  path += ".LNK";
  return true;
}

// The folder of a link named without one is created when missing; a folder
// that cannot be created counts as an error, and the link is still tried.
void EnsureLinkFolder(const Str& folder, int& errors) {
  if (folder.empty()) return;
  char path[FolderSize];
  CopyToBuffer(path, FolderSize, folder.c_str());
  Str unused;
  if (CreateDirChain(path, unused) == DirChainFailed) ++errors;
}

Str LinkStatus(const Str& path) {
  if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return Str("created");
  FILETIME lastWrite;
  Str status;
  FileDateStr(path.c_str(), FileTimeLastWrite, lastWrite, status);
  status += " replaced";
  return status;
}

void WarnAboutIconIndex(const TLinkLine& line, const Str& path) {
  LogLine("Warning: icon index ", line.IconIndexText, " of ", path.c_str(),
          " is not a number, 0 used");
  ++ErrorLevel;
}

int ReportLinkFailure(const Str& path, int errors) {
  static const char failure[] = "Error: can't create Link";
  LogLine(failure);
  Str text(failure);
  text += ' ';
  text += path;
  ShowErrorBox(text.c_str());
  return errors + 1;
}

// A link file that names no place of its own (a relative folder part, or a
// relative default folder) would be saved beside the control file, on the
// medium: refused, and counted as a failure of the run.
int RefuseRelativeLink(const char* section, const char* key, const Str& path, int errors) {
  Str what = Str("the link of [") + section + "] " + key;
  LogNotFullPath(what.c_str(), path.c_str());
  ShowErrorBox(NotFullPathText(what.c_str(), path.c_str()).c_str());
  return errors + 1;
}

// One line; false when its link failed (errors then counts it). The line
// was expanded as a whole once; the path built from it is not expanded
// again, so a link named after %MyProgramPath% lands in the very folder
// that the files went to even when that folder's name holds a percent sign.
bool CreateLinkOfLine(const char* section, const char* key, char* value, const char* defaultFolder,
                      int& errors) {
  TLinkLine line;
  ParseLinkLine(value, line);
  Str path, folder;
  if (!BuildLinkPath(defaultFolder, line.Name, path, folder)) {
    errors = ReportLinkFailure(Str(line.Name) + ".LNK", errors);
    return false;
  }
  if (path.size() >= LinkPathSize) {
    LogLine("Error: the link path is longer than 259 characters: ", path.c_str());
    errors = ReportLinkFailure(path, errors);
    return false;
  }
  if (!IsFullPath(path.c_str())) {
    errors = RefuseRelativeLink(section, key, path, errors);
    return false;
  }
  EnsureLinkFolder(folder, errors);
  Str status = LinkStatus(path);
  if (line.IconIndexInvalid) WarnAboutIconIndex(line, path);
  if (CreateShellLink(line.Target.c_str(), line.Arguments.c_str(), line.WorkingDir.c_str(),
                      line.IconFile.c_str(), line.IconIndex, path.c_str()) != 0) {
    errors = ReportLinkFailure(path, errors);
    return false;
  }
  LogLine(path.c_str(), "\t", status.c_str());
  return true;
}
}  // namespace

int CreateLinks(const char* section, const char* defaultFolder, const char* controlFile) {
  int errors = 0;
  char keys[KeyListSize];
  bool cut = ReadKeyListDroppingCutName(controlFile, section, keys);
  for (const char* key : KeyList(keys)) {
    char value[ValueSize];
    if (ReadProfileValue(controlFile, section, key, value) == 0) continue;
    char expanded[ExpandedSize];
    ExpandInto(value, expanded);
    if (!CreateLinkOfLine(section, key, expanded, defaultFolder, errors)) return errors;
  }
  if (!cut) return errors;
  // Counted as an error too, so that a fallback section that lost links is
  // not taken for a working uninstall.
  ReportCutKeyList(section, keys, KeyListSize, "created");
  return errors + 1;
}
