// The parsed form of an INI (profile) file, shared by the profile modules of
// the POSIX emulation.
//
// The model keeps the file's bytes untouched and describes every line by
// offsets into them, so that a write can edit the text in place (as Windows
// does) and a read can copy the value straight out of the text.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/posix/win32_api_posix.h"

namespace posix {

enum class ProfileLineKind { kOther, kComment, kSection, kKey };

struct ProfileLine {
  ProfileLineKind kind = ProfileLineKind::kOther;
  size_t begin = 0;      // first byte of the line
  size_t end = 0;        // one past the last byte before the line break
  size_t next = 0;       // first byte of the following line
  size_t nameBegin = 0;  // section or key name, trimmed
  size_t nameEnd = 0;
  size_t valueBegin = 0;  // key value, trimmed and without its enclosing quotes
  size_t valueEnd = 0;
  size_t equalsAt = 0;    // the '=' of a key line
};

// One block of lines that starts with a section header. The same section
// name can head several blocks; only the first one is ever looked up.
struct ProfileSection {
  size_t headerLine = 0;
  size_t endLine = 0;  // one past the block's last line
  std::vector<size_t> keyLines;
  // Folded key name -> its first key line in this block.
  std::unordered_map<std::string, size_t> firstKeyLine;
};

struct ProfileModel {
  std::string text;    // in the ANSI code page, whatever the file's encoding
  bool utf16 = false;  // the file is UTF-16LE with its byte-order mark
  std::vector<ProfileLine> lines;
  std::vector<ProfileSection> sections;  // in file order, duplicates included
  // Folded section name -> index of its first block.
  std::unordered_map<std::string, size_t> firstSection;

  std::string Name(const ProfileLine& line) const {
    return text.substr(line.nameBegin, line.nameEnd - line.nameBegin);
  }
  // The first block of that section, nullptr when there is none. The name
  // must already be stripped as a query argument is.
  const ProfileSection* FindSection(const std::string& name) const;
  // The first key line of that key in the section's first block, nullptr
  // when there is none.
  const ProfileLine* FindKey(const ProfileSection& section, const std::string& key) const;
};

// ---- parsing (profile_parse_posix.cpp) ----

std::shared_ptr<ProfileModel> ParseProfile(std::string text);
// The section or key name as every comparison sees it: Windows compares the
// names without regard to case, letters of the ANSI code page included.
std::string FoldProfileName(const std::string& name);
// Leading and trailing spaces of a section or key name given by the caller
// are ignored; tabs are not (Windows; Wine ignores all whitespace there).
std::string StripSpaces(const char* text);

// ---- encodings (profile_file_posix.cpp) ----

// Turns the bytes of a UTF-16LE profile (with its byte-order mark) into
// ANSI text and returns true; leaves any other text as it is (false).
bool DecodeProfileText(std::string* text);
// The bytes to store for the ANSI text: UTF-16LE with its mark for a
// Unicode profile, else the text itself.
std::string EncodeProfileText(const std::string& ansi, bool utf16);

// ---- editing (profile_edit_posix.cpp) ----
// Each returns the file's new text.

std::string SetProfileValue(const ProfileModel& model, const std::string& section,
                            const std::string& key, const char* value);
std::string DeleteProfileKey(const ProfileModel& model, const std::string& section,
                             const std::string& key);
std::string DeleteProfileSection(const ProfileModel& model, const std::string& section);

// ---- files and names (profile_file_posix.cpp) ----

// The host path of the profile file as Windows resolves lpFileName: a name
// without a backslash or slash lives in the Windows directory, NULL means
// win.ini there. Sets the Win32 error and returns false when the name cannot
// be resolved (123 for a character no file name may hold: * ? < > | " a
// control character, a colon other than the drive's).
bool ProfileHostPath(const char* fileName, std::string* hostPath);
// Replaces the file's content so that a failure leaves the old content whole:
// a new file written beside it takes its place, keeping permissions, owner
// and extended attributes (user.DOSATTRIB among them). Returns 0 or errno.
int ReplaceProfileFile(const std::string& hostPath, const std::string& text);
// Creates a file that does not exist yet. Returns 0 or errno.
int CreateProfileFile(const std::string& hostPath, const std::string& text);

// ---- the cache (profile_cache_posix.cpp) ----

// What identifies one state of a host file: a change by anyone alters at
// least one of these.
struct ProfileFileStamp {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  long long mtimeSeconds = 0;
  long mtimeNanoseconds = 0;
  long long ctimeSeconds = 0;
  long ctimeNanoseconds = 0;
  bool operator==(const ProfileFileStamp& other) const;
};

enum class ProfileOpen { kLoaded, kMissing, kFailed };

// The parsed model of the file, parsed again only when the file changed
// since the last call. kFailed sets *error to the Win32 error code.
ProfileOpen LoadProfile(const std::string& hostPath, std::shared_ptr<const ProfileModel>* model,
                        unsigned* error);
// Records the model of what this process has just written to the file.
void RememberProfile(const std::string& hostPath, std::shared_ptr<const ProfileModel> model);
// Drops every cached model.
void ForgetAllProfiles();

}  // namespace posix
