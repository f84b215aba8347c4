// CopyFileA, MoveFileExA, DeleteFileA and CreateDirectoryA over targets of
// every kind, file attributes, and the times a copy keeps.
#include <stdio.h>
#include <string.h>

#include "tests/contract/contract.h"
#include "tests/contract/given_files.h"
#include "tests/contract/scratch.h"
#include "tests/contract/tables.h"

namespace contract {
namespace {

enum Operation { kCopy, kCopyNoReplace, kMove, kMoveReplace, kDelete, kMakeFolder };

struct FileRow {
  int row;
  int deviation;
  Operation operation;
  bool source;  // the source "new" exists (copies and moves)
  Target target;
  BOOL result;
  DWORD error;
  const char* after;  // the target's content, kAbsent or kAFolder
  bool sourceAfter;   // the source is still there
};

const FileRow kFileRows[] = {
    {1, kNone, kCopyNoReplace, true, kNoTarget, TRUE, kAnyError, "new", true},
    {2, kNone, kCopyNoReplace, true, kPlain, FALSE, ERROR_FILE_EXISTS, "old", true},
    {3, kNone, kCopy, true, kPlain, TRUE, kAnyError, "new", true},
    {4, kNone, kCopy, false, kNoTarget, FALSE, ERROR_FILE_NOT_FOUND, kAbsent, false},
    {5, kNone, kCopy, true, kNoFolder, FALSE, ERROR_PATH_NOT_FOUND, kAbsent, true},
    {6, kWineAsRoot, kCopy, true, kReadOnly, FALSE, ERROR_ACCESS_DENIED, "old", true},
    // Windows refuses to replace a hidden or system file; Wine overwrites it.
    {7, kWine, kCopy, true, kHidden, FALSE, ERROR_ACCESS_DENIED, "old", true},
    {8, kWine, kCopy, true, kSystem, FALSE, ERROR_ACCESS_DENIED, "old", true},
    {9, kNone, kCopy, true, kFolder, FALSE, ERROR_ACCESS_DENIED, kAFolder, true},
    {10, kNone, kMove, true, kNoTarget, TRUE, kAnyError, "new", false},
    {11, kNone, kMove, true, kPlain, FALSE, ERROR_ALREADY_EXISTS, "old", true},
    {12, kNone, kMoveReplace, true, kPlain, TRUE, kAnyError, "new", false},
    // Windows will not rename over a read-only file; Wine renames.
    {13, kWine, kMoveReplace, true, kReadOnly, FALSE, ERROR_ACCESS_DENIED, "old", true},
    {14, kNone, kMove, false, kNoTarget, FALSE, ERROR_FILE_NOT_FOUND, kAbsent, false},
    {15, kNone, kMove, true, kNoFolder, FALSE, ERROR_PATH_NOT_FOUND, kAbsent, true},
    {16, kNone, kDelete, false, kPlain, TRUE, kAnyError, kAbsent, false},
    {17, kNone, kDelete, false, kHidden, TRUE, kAnyError, kAbsent, false},
    {18, kNone, kDelete, false, kReadOnly, FALSE, ERROR_ACCESS_DENIED, "old", false},
    {19, kNone, kDelete, false, kNoTarget, FALSE, ERROR_FILE_NOT_FOUND, kAbsent, false},
    {20, kNone, kDelete, false, kNoFolder, FALSE, ERROR_PATH_NOT_FOUND, kAbsent, false},
    {21, kNone, kDelete, false, kFolder, FALSE, ERROR_ACCESS_DENIED, kAFolder, false},
    {22, kNone, kMakeFolder, false, kNoTarget, TRUE, kAnyError, kAFolder, false},
    {23, kNone, kMakeFolder, false, kFolder, FALSE, ERROR_ALREADY_EXISTS, kAFolder, false},
    {24, kNone, kMakeFolder, false, kPlain, FALSE, ERROR_ALREADY_EXISTS, "old", false},
    {25, kNone, kMakeFolder, false, kNoFolder, FALSE, ERROR_PATH_NOT_FOUND, kAbsent, false},
};

BOOL Perform(Operation operation, const char* source, const char* target) {
  switch (operation) {
    case kCopy: return CopyFileA(source, target, FALSE);
    case kCopyNoReplace: return CopyFileA(source, target, TRUE);
    case kMove: return MoveFileExA(source, target, 0);
    case kMoveReplace: return MoveFileExA(source, target, MOVEFILE_REPLACE_EXISTING);
    case kDelete: return DeleteFileA(target);
    case kMakeFolder: return CreateDirectoryA(target, nullptr);
  }
  return FALSE;
}

void RunFileRow(const FileRow& r) {
  BeginRow(r.row, r.deviation);
  char source[MAX_PATH], target[MAX_PATH];
  GivenRowFiles("files", r.row, r.source, r.target, source, target);
  SetLastError(kUntouched);
  BOOL result = Perform(r.operation, source, target);
  ExpectLastError(r.error);
  ExpectNumber("return", r.result, result != FALSE);
  ExpectTarget(target, r.after);
  ExpectNumber("source kept", r.sourceAfter, GetFileAttributesA(source) != INVALID_FILE_ATTRIBUTES);
  EndRow();
}

struct AttributeRow {
  int row;
  int deviation;
  const char* name;  // "file", "folder", "new file" (never set) or a missing path
  DWORD set;         // 0: not set
  DWORD attributes;  // as GetFileAttributesA returns them
  DWORD error;
};

// SetFileAttributesA sets exactly what it is given, the archive bit too
// (Wine 8 reports the archive bit of every file).
const AttributeRow kAttributeRows[] = {
    {1, kNone, "new file", 0, FILE_ATTRIBUTE_ARCHIVE, kAnyError},
    {2, kWine, "file", FILE_ATTRIBUTE_NORMAL, FILE_ATTRIBUTE_NORMAL, kAnyError},
    {3, kWine, "file", FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_READONLY, kAnyError},
    {4, kNone, "file", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE,
     FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE, kAnyError},
    {5, kWine, "file", FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY,
     FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY, kAnyError},
    {6, kNone, "folder", 0, FILE_ATTRIBUTE_DIRECTORY, kAnyError},
    {7, kNone, "folder", FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN, kAnyError},
    {8, kNone, "none.txt", 0, INVALID_FILE_ATTRIBUTES, ERROR_FILE_NOT_FOUND},
    {9, kNone, "missing\\none.txt", 0, INVALID_FILE_ATTRIBUTES, ERROR_PATH_NOT_FOUND},
};

void RunAttributeRow(const AttributeRow& r) {
  BeginRow(r.row, r.deviation);
  char folder[MAX_PATH], name[16], path[MAX_PATH];
  snprintf(name, sizeof name, "attrib%d", r.row);
  MakeScratchFolder(name, folder);
  bool isFolder = strcmp(r.name, "folder") == 0;
  bool isFile = strcmp(r.name, "file") == 0 || strcmp(r.name, "new file") == 0;
  JoinPath(folder, isFolder || isFile ? "it" : r.name, path);
  if (isFolder) CreateDirectoryA(path, nullptr);
  if (isFile) WriteText(path, "x");
  if (r.set) ExpectNumber("set", TRUE, SetFileAttributesA(path, r.set) != FALSE);
  SetLastError(kUntouched);
  ExpectNumber("attributes", r.attributes, GetFileAttributesA(path));
  ExpectLastError(r.error);
  EndRow();
}

// A copy and a move keep the last write time to the 100 ns.
void RunKeptTimeRow(int row, Operation operation) {
  BeginRow(row);
  char source[MAX_PATH], target[MAX_PATH];
  GivenRowFiles("times", row, true, kNoTarget, source, target);
  const FILETIME written = {0x12345670u, 0x01C2FF00u};
  HANDLE file = CreateFileA(source, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  SetFileTime(file, nullptr, nullptr, &written);
  CloseHandle(file);
  ExpectNumber("return", TRUE, Perform(operation, source, target) != FALSE);
  FILETIME kept = {0, 0};
  file = CreateFileA(target, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  GetFileTime(file, nullptr, nullptr, &kept);
  CloseHandle(file);
  ExpectNumber("low", written.dwLowDateTime, kept.dwLowDateTime);
  ExpectNumber("high", written.dwHighDateTime, kept.dwHighDateTime);
  EndRow();
}

// A copy takes the source's attributes and is marked for archiving.
void RunKeptAttributesRow(int row) {
  BeginRow(row);
  char source[MAX_PATH], target[MAX_PATH];
  GivenRowFiles("kept", row, true, kNoTarget, source, target);
  SetFileAttributesA(source, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  ExpectNumber("return", TRUE, CopyFileA(source, target, TRUE) != FALSE);
  ExpectNumber("attributes", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE,
               GetFileAttributesA(target));
  ExpectTarget(target, "new");
  EndRow();
}

}  // namespace

void RunFileTables() {
  BeginTable("files");
  for (const FileRow& r : kFileRows) RunFileRow(r);
  BeginTable("attributes");
  for (const AttributeRow& r : kAttributeRows) RunAttributeRow(r);
  RunKeptAttributesRow(10);
  BeginTable("times");
  RunKeptTimeRow(1, kCopy);
  RunKeptTimeRow(2, kMove);
}

}  // namespace contract
