// Share modes of the files this process holds open: Windows checks every new
// open (and every deletion) against the handles already open on the file.
#include <map>

#include "platform/posix/kernel/kernel_posix.h"

namespace posix {
namespace {

struct OpenFile {
  dev_t dev;
  ino_t ino;
  DWORD access;
  DWORD share;
};

struct OpenFiles {
  std::map<int, OpenFile> byId;
  int nextId = 0;
};

OpenFiles& Opens() {
  static OpenFiles opens;
  return opens;
}

DWORD ShareNeededFor(DWORD access) {
  DWORD share = 0;
  if (access & GENERIC_READ) share |= FILE_SHARE_READ;
  if (access & GENERIC_WRITE) share |= FILE_SHARE_WRITE;
  if (access & kDeleteAccess) share |= FILE_SHARE_DELETE;
  return share;
}

bool Compatible(const OpenFile& open, DWORD access, DWORD share) {
  DWORD needed = ShareNeededFor(access);
  if ((open.share & needed) != needed) return false;
  DWORD held = ShareNeededFor(open.access);
  return (share & held) == held;
}

}  // namespace

int RegisterOpen(dev_t dev, ino_t ino, DWORD access, DWORD share) {
  OpenFiles& opens = Opens();
  for (const auto& entry : opens.byId) {
    const OpenFile& open = entry.second;
    if (open.dev == dev && open.ino == ino && !Compatible(open, access, share)) return 0;
  }
  int id = ++opens.nextId;
  opens.byId[id] = OpenFile{dev, ino, access, share};
  return id;
}

void ForgetOpen(int id) { Opens().byId.erase(id); }

bool AccessShared(dev_t dev, ino_t ino, DWORD access, int exceptId) {
  DWORD needed = ShareNeededFor(access);
  for (const auto& entry : Opens().byId) {
    const OpenFile& open = entry.second;
    if (entry.first == exceptId) continue;
    if (open.dev == dev && open.ino == ino && (open.share & needed) != needed) return false;
  }
  return true;
}

bool IsOpenHere(dev_t dev, ino_t ino) {
  for (const auto& entry : Opens().byId)
    if (entry.second.dev == dev && entry.second.ino == ino) return true;
  return false;
}

}  // namespace posix
