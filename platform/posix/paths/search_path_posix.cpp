// SearchPathA. With no path of its own the search goes through the folder
// of the program, the current folder, the system folder, the 16-bit system
// folder, the Windows folder and then the folders of the PATH variable (the
// default "safe search mode" order of Windows). A name with a path part of
// its own ("C:", "\", ".\", "..\") is looked up only where it points.
#include <sys/stat.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/posix/kernel/kernel_posix.h"
#include "platform/posix/machine/machine_posix.h"
#include "platform/posix/paths/paths_posix.h"

namespace posix {
namespace {

bool HasOwnPathPart(const std::string& name) {
  if (name.size() >= 2 && name[1] == ':') return true;
  if (name[0] == '\\' || name[0] == '/') return true;
  if (name[0] == '.' && (name[1] == '\\' || name[1] == '/')) return true;
  return name.compare(0, 2, "..") == 0 && (name[2] == '\\' || name[2] == '/');
}

bool HasExtension(const std::string& name) {
  size_t dot = name.find_last_of('.');
  size_t slash = name.find_last_of("\\/");
  return dot != std::string::npos && (slash == std::string::npos || dot > slash);
}

std::string FolderOf(const std::string& winPath) {
  size_t slash = winPath.find_last_of('\\');
  return slash == std::string::npos ? winPath : winPath.substr(0, slash);
}

void SplitList(const std::string& list, std::vector<std::string>* folders) {
  size_t start = 0;
  while (start <= list.size()) {
    size_t end = list.find(';', start);
    if (end == std::string::npos) end = list.size();
    if (end > start) folders->push_back(list.substr(start, end - start));
    start = end + 1;
  }
}

std::vector<std::string> DefaultSearchFolders() {
  std::vector<std::string> folders;
  if (!ProgramWinPath().empty()) folders.push_back(FolderOf(ProgramWinPath()));
  folders.push_back(CurrentWinDirectory());
  folders.push_back(WindowsDirectory() + "\\system32");
  folders.push_back(WindowsDirectory() + "\\system");
  folders.push_back(WindowsDirectory());
  if (const char* path = FindVariable("PATH")) SplitList(path, &folders);
  return folders;
}

bool Exists(const std::string& winPath) {
  std::string host;
  struct stat st;
  return winPath.size() < MAX_PATH && WinToHost(winPath.c_str(), &host) && stat(host.c_str(), &st) == 0;
}

DWORD Found(const std::string& winPath, DWORD size, LPSTR buffer, LPSTR* filePart) {
  std::string full = FullWinPath(winPath.c_str());
  DWORD result = CopyOutText(full, buffer, size);
  if (filePart && result < size) *filePart = buffer + full.find_last_of('\\') + 1;
  return result;
}

}  // namespace
}  // namespace posix

extern "C" DWORD SearchPathA(LPCSTR path, LPCSTR fileName, LPCSTR extension, DWORD size, LPSTR buffer,
                             LPSTR* filePart) {
  if (!fileName || !*fileName) return posix::FailWithZero(ERROR_INVALID_PARAMETER);
  std::string name = fileName;
  if (extension && *extension && !posix::HasExtension(name)) name += extension;
  std::vector<std::string> folders;
  if (path) posix::SplitList(path, &folders);
  else folders = posix::DefaultSearchFolders();
  if (posix::HasOwnPathPart(fileName)) folders.assign(1, std::string());
  for (const std::string& folder : folders) {
    std::string candidate = folder.empty() ? name
                            : folder.back() == '\\' ? folder + name : folder + "\\" + name;
    if (posix::Exists(candidate)) return posix::Found(candidate, size, buffer, filePart);
  }
  return posix::FailWithZero(ERROR_FILE_NOT_FOUND);
}
