// WritePrivateProfileStringA: sets a value, deletes a key (NULL value) or a
// whole section (NULL key), creating the file and the section as needed.
#include <errno.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/posix/kernel/kernel_posix.h"
#include "platform/posix/profile/profile_posix.h"

namespace posix {
namespace {

enum class TargetState { kExists, kMissing, kFailed };

// Windows opens the file for writing first: a read-only file, a folder or a
// missing folder fails before anything is changed. The read-only attribute
// is the owner's write bit, which counts even for root.
TargetState CheckTarget(const std::string& hostPath, struct stat* st) {
  if (stat(hostPath.c_str(), st) != 0) {
    if (errno != ENOENT) {
      SetLastError(errno == ENOTDIR ? ERROR_PATH_NOT_FOUND : Win32ErrorFromErrno(errno));
      return TargetState::kFailed;
    }
    size_t slash = hostPath.rfind('/');
    std::string parent = slash == std::string::npos ? "." : hostPath.substr(0, slash ? slash : 1);
    struct stat dir;
    if (stat(parent.c_str(), &dir) != 0 || !S_ISDIR(dir.st_mode)) {
      SetLastError(ERROR_PATH_NOT_FOUND);
      return TargetState::kFailed;
    }
    return TargetState::kMissing;
  }
  if (S_ISDIR(st->st_mode) || !(st->st_mode & S_IWUSR) || access(hostPath.c_str(), W_OK) != 0) {
    SetLastError(ERROR_ACCESS_DENIED);
    return TargetState::kFailed;
  }
  return TargetState::kExists;
}

std::string NewText(const ProfileModel& model, LPCSTR section, LPCSTR key, LPCSTR value) {
  std::string sectionName = StripSpaces(section);
  if (!key) return DeleteProfileSection(model, sectionName);
  if (!value) return DeleteProfileKey(model, sectionName, StripSpaces(key));
  return SetProfileValue(model, sectionName, StripSpaces(key), value);
}

bool Fail(int err) {
  SetLastError(Win32ErrorFromErrno(err));
  return false;
}

// Windows creates the file even when there is nothing to write into it
// (a 0-byte file for a NULL key or value; Wine creates none: tests on both
// avoid that case), and leaves the "file not found" error of its first
// attempt to open it.
bool CreateTarget(const std::string& hostPath, const std::string& text) {
  int err = CreateProfileFile(hostPath, text);
  if (err) return Fail(err);
  RememberProfile(hostPath, ParseProfile(text));
  SetLastError(ERROR_FILE_NOT_FOUND);
  return true;
}

bool UpdateTarget(const std::string& hostPath, LPCSTR section, LPCSTR key, LPCSTR value) {
  std::shared_ptr<const ProfileModel> model;
  unsigned error = 0;
  ProfileOpen open = LoadProfile(hostPath, &model, &error);
  if (open == ProfileOpen::kMissing) return CreateTarget(hostPath, NewText(*ParseProfile(""), section, key, value));
  if (open == ProfileOpen::kFailed) {
    SetLastError(error);
    return false;
  }
  std::string text = NewText(*model, section, key, value);
  if (text == model->text) return true;  // nothing to change (an absent key deleted)
  // A Unicode profile stays one.
  int err = ReplaceProfileFile(hostPath, EncodeProfileText(text, model->utf16));
  if (err) {
    ForgetAllProfiles();
    return Fail(err);
  }
  std::shared_ptr<ProfileModel> written = ParseProfile(std::move(text));
  written->utf16 = model->utf16;
  RememberProfile(hostPath, std::move(written));
  return true;
}

}  // namespace
}  // namespace posix

using namespace posix;

extern "C" BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName) {
  if (!section && !key && !value) {  // the documented way to flush the cache
    ForgetAllProfiles();
    return FALSE;
  }
  if (!section) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
  }
  std::string hostPath;
  if (!ProfileHostPath(fileName, &hostPath)) return FALSE;
  struct stat st;
  TargetState state = CheckTarget(hostPath, &st);
  if (state == TargetState::kFailed) return FALSE;
  if (state == TargetState::kMissing) return CreateTarget(hostPath, NewText(*ParseProfile(""), section, key, value));
  return UpdateTarget(hostPath, section, key, value) ? TRUE : FALSE;
}
