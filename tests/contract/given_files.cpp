// Row folders through the API under test.
#include "tests/contract/given_files.h"

#include <stdio.h>

#include "tests/contract/contract.h"
#include "tests/contract/scratch.h"

namespace contract {

namespace {

DWORD AttributesOf(Target target) {
  switch (target) {
    case kReadOnly: return FILE_ATTRIBUTE_READONLY;
    case kHidden: return FILE_ATTRIBUTE_HIDDEN;
    case kSystem: return FILE_ATTRIBUTE_SYSTEM;
    default: return FILE_ATTRIBUTE_NORMAL;
  }
}

// What stands at `path`: its content, kAFolder or kAbsent.
void Describe(const char* path, char* out, size_t capacity) {
  DWORD attributes = GetFileAttributesA(path);
  if (attributes == INVALID_FILE_ATTRIBUTES)
    snprintf(out, capacity, "%s", kAbsent);
  else if (attributes & FILE_ATTRIBUTE_DIRECTORY)
    snprintf(out, capacity, "%s", kAFolder);
  else if (ReadBytes(path, out, capacity) < 0)
    snprintf(out, capacity, "<unreadable>");
}

}  // namespace

void GivenRowFiles(const char* table, int row, bool source, Target target, char* sourcePath,
                   char* targetPath) {
  char folder[MAX_PATH], name[32];
  snprintf(name, sizeof name, "%s%d", table, row);
  MakeScratchFolder(name, folder);
  JoinPath(folder, "new", sourcePath);
  if (source) WriteText(sourcePath, "new");
  JoinPath(folder, target == kNoFolder ? "missing\\old" : "old", targetPath);
  if (target == kFolder) CreateDirectoryA(targetPath, nullptr);
  if (target == kNoTarget || target == kNoFolder || target == kFolder) return;
  WriteText(targetPath, "old");
  SetFileAttributesA(targetPath, AttributesOf(target));
}

void ExpectTarget(const char* path, const char* expected) {
  char after[64];
  Describe(path, after, sizeof after);
  ExpectText("target", expected, after);
}

}  // namespace contract
