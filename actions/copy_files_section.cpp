// The [Files] section: each line names a file or a mask relative to the
// control file's directory and the directory it goes to.
#include "actions/copy_files_section.h"

#include "actions/copy_file_checked.h"
#include "common/create_dir_chain.h"
#include "common/environment_value.h"
#include "common/message_box.h"
#include "common/message_buffer.h"
#include "common/run_state.h"
#include "common/system_message.h"
#include "log/log_file.h"
#include "values/cut_key_list.h"
#include "values/expand.h"
#include "values/full_path.h"
#include "values/profile_values.h"

namespace {
enum { KeyListSize = 2601, ValueSize = 262, DestinationSize = 261 };

bool IsDotEntry(const char* name) {
  return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

bool IsDirectory(const char* path) {
  DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

Str JoinPath(const Str& dir, const char* name) {
  return dir.last() == '\\' ? dir + name : dir + "\\" + name;
}

// A subdirectory of the source: its counterpart below the destination is
// created (an existing one is fine: installing twice must work) and the
// same mask is copied from it.
uint32_t CopySubdirectory(const Str& sourceDir, const char* name, const char* mask,
                          const Str& destDir, uint32_t flags, const char* controlFile) {
  Str target = destDir + name;
  if (!CreateDirectoryA(target.c_str(), nullptr) && !IsDirectory(target.c_str())) {
    MessageBuffer += "Error: couldn't create the directory " + target + "\r\r";
    ShowErrorBox(("Error: couldn't create the directory " + target).c_str());
    // The phase stops here and files stay missing: the run must not end
    // with "Installation successfully!".
    RaiseErrorLevelToFailure();
    return flags | CopyStop;
  }
  return CopyFileGroup(JoinPath(sourceDir, name).c_str(), mask, target.c_str(), true, flags,
                       controlFile);
}

// The destination of a line: its value expanded, or the installation
// directory; always with a trailing backslash. False when it does not fit
// or names no place of its own.
bool DestinationOf(const char* key, const char* sourceFile, Str& destination) {
  char value[ValueSize];
  char expanded[4 * DestinationSize];
  size_t length;
  if (ReadProfileValue(sourceFile, "Files", key, value) > 0)
    length = ExpandInto(value, expanded);
  else  // expanded when it was chosen: the same folder as the log's
    length = ReadEnvironmentValue("MyProgramPath", expanded);
  if (length >= DestinationSize) {
    MessageBuffer += Str("Error: the destination of [Files] ") + key + " is longer than " +
                     "260 characters, nothing copied: " + expanded + "\r\n";
    RaiseErrorLevelToFailure();
    return false;
  }
  if (length == 0) {
    // An empty destination would be "\", the root of the current drive: the
    // distribution medium. Nothing is installed there.
    MessageBuffer += Str("Error: the destination of [Files] ") + key +
                     " is empty: no installation directory, nothing copied\r\n";
    RaiseErrorLevelToFailure();
    return false;
  }
  if (!IsFullPath(expanded)) {
    LogNotFullPath((Str("the destination of [Files] ") + key).c_str(), expanded);
    return false;
  }
  destination = expanded;
  if (destination.last() != '\\') destination += '\\';
  return true;
}

// The platform's search takes a forward slash as a separator too, so the
// key's folder part ends at the last of either: the file copied must be the
// one the search found, not a namesake in the package's top folder.
long LastSeparator(const Str& path) {
  for (size_t i = path.size(); i > 0; --i)
    if (path[i - 1] == '\\' || path[i - 1] == '/') return static_cast<long>(i - 1);
  return -1;
}

// The source directory and mask of a line's key; withSubdirs for "/s".
void SourceOf(const char* key, const char* sourceFile, Str& sourceDir, Str& mask, bool& withSubdirs) {
  Str source(key);
  withSubdirs = source.size() >= 2 && source[source.size() - 2] == '/' &&
                UpperAscii(source.last()) == 'S';
  if (withSubdirs) source.truncate(source.size() - 2);
  long cut = LastSeparator(source);
  Str relativeDir;  // with backslashes only, as the log names paths
  for (long i = 0; i < cut; ++i) relativeDir += source[i] == '/' ? '\\' : source[i];
  mask = cut >= 0 ? source.substr(static_cast<size_t>(cut) + 1) : source;
  Str controlFile(sourceFile);
  long dirEnd = controlFile.findLast('\\');
  sourceDir = dirEnd >= 0 ? controlFile.substr(0, static_cast<size_t>(dirEnd) + 1) : Str();
  if (!relativeDir.empty()) sourceDir += relativeDir;
  if (sourceDir.last() == '\\') sourceDir.truncate(sourceDir.size() - 1);
}

// A line whose mask finds nothing installs nothing: most likely a mistake in
// the package, so the log says so and the run counts a warning.
void ReportNothingFound(const Str& sourceDir, const Str& mask) {
  MessageBuffer += "Warning: no file found for " + JoinPath(sourceDir, mask.c_str()) + "\r\n";
  ++ErrorLevel;
}

// The destination of a line is made when missing (a package names
// %MyProgramPath%\help and expects its files there); levels created on the way
// are logged, and a destination that cannot be made stops the phase.
uint32_t EnsureDestination(const Str& destination, uint32_t flags) {
  char path[DestinationSize];
  CopyToBuffer(path, sizeof path, destination.c_str());
  return CreateDirChain(path, MessageBuffer) == DirChainFailed ? flags | CopyStop : flags;
}

// A search that ends for any reason but the end of the folder (the medium
// taken out, a folder that can no longer be read) leaves files out: the copy
// stops as after a failed copy, and the run fails.
uint32_t ReportSearchFailure(const Str& sourceDir, DWORD error, uint32_t flags) {
  Str reason = SystemReasonOrNumber(error);
  Str text = "Error: can't read the folder " + sourceDir + ": " + reason;
  MessageBuffer += text + "\r\n";
  ShowErrorBox(text.c_str());
  RaiseErrorLevelToFailure();
  return flags | CopyStop;
}

// No match and a folder that is not there are the package's own mistakes,
// told by a warning; any other failure of the search is the medium's.
bool SearchFoundNothing(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_NO_MORE_FILES;
}

// True when the line's mask finds what the line installs: a file, or with
// "/s" a folder to go into. A mask that names a folder of the package finds
// only that folder, and without "/s" nothing of it is installed: that line
// is a mistake like one that finds nothing. A search that fails otherwise
// than by finding nothing stops the phase.
bool MatchesAnything(const Str& sourceDir, const Str& mask, bool withSubdirs, uint32_t& flags) {
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA(JoinPath(sourceDir, mask.c_str()).c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    if (!SearchFoundNothing(error)) flags = ReportSearchFailure(sourceDir, error, flags);
    return false;
  }
  bool installs = false;
  do
    installs = !(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || (withSubdirs && !IsDotEntry(entry.cFileName));
  while (!installs && FindNextFileA(search, &entry));
  FindClose(search);
  return installs;
}
}  // namespace

uint32_t CopyFileGroup(const char* sourceDir, const char* mask, const char* destDir, bool withSubdirs,
                       uint32_t flags, const char* controlFile) {
  if (flags & CopyStop) return flags;
  Str source(sourceDir);
  Str dest(destDir);
  if (dest.last() != '\\') dest += '\\';
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA(JoinPath(source, mask).c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    return SearchFoundNothing(error) ? flags : ReportSearchFailure(source, error, flags);
  }
  bool found = true;
  while (found && !(flags & CopyStop)) {
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (withSubdirs && !IsDotEntry(entry.cFileName))
        flags = CopySubdirectory(source, entry.cFileName, mask, dest, flags, controlFile);
    } else {
      flags = CopyFileChecked(JoinPath(source, entry.cFileName).c_str(), (dest + entry.cFileName).c_str(),
                              controlFile, flags, entry);
    }
    if (!FindNextFileA(search, &entry)) {
      found = false;
      DWORD error = GetLastError();
      if (error != ERROR_NO_MORE_FILES) flags = ReportSearchFailure(source, error, flags);
    }
  }
  FindClose(search);
  return flags;
}

void CopyFilesSection(const char* sourceFile) {
  ResetCopyPromptMemory();
  char keys[KeyListSize];
  bool cut = ReadKeyListDroppingCutName(sourceFile, "Files", keys);
  uint32_t flags = 0;
  for (const char* key : KeyList(keys)) {
    Str destination, sourceDir, mask;
    bool withSubdirs = false;
    if (DestinationOf(key, sourceFile, destination)) {
      SourceOf(key, sourceFile, sourceDir, mask, withSubdirs);
      if (!(flags & CopyStop)) {
        if (MatchesAnything(sourceDir, mask, withSubdirs, flags))
          flags = EnsureDestination(destination, flags);
        else if (!(flags & CopyStop))
          ReportNothingFound(sourceDir, mask);
        // The folders made for the line belong before the lines of its copies.
        FlushMessageBuffer();
      }
      flags = CopyFileGroup(sourceDir.c_str(), mask.c_str(), destination.c_str(), withSubdirs, flags,
                            sourceFile);
    }
    FlushMessageBuffer();
  }
  if (cut) {
    ReportCutKeyList("Files", keys, KeyListSize, "installed");
    FlushMessageBuffer();
  }
}
