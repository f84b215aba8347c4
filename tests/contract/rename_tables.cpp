// NtSetInformationFile(FileRenameInformation): an open file takes a new
// name through its own handle, as the copies of an installation finish.
#include "tests/contract/contract.h"
#include "tests/contract/given_files.h"
#include "tests/contract/tables.h"

namespace contract {
namespace {

const NTSTATUS kSuccess = 0;
const NTSTATUS kAccessDenied = static_cast<NTSTATUS>(0xC0000022);
const NTSTATUS kNameCollision = static_cast<NTSTATUS>(0xC0000035);
const NTSTATUS kPathNotFound = static_cast<NTSTATUS>(0xC000003A);

struct RenameRow {
  int row;
  int deviation;
  Target target;
  bool replace;        // ReplaceIfExists
  bool deleteAccess;   // the handle was opened with DELETE
  NTSTATUS status;
  const char* after;   // the target's content, kAbsent or kAFolder
  bool sourceAfter;    // the old name is still there
};

const RenameRow kRenameRows[] = {
    {1, kNone, kNoTarget, false, true, kSuccess, "new", false},
    {2, kNone, kPlain, false, true, kNameCollision, "old", true},
    {3, kNone, kPlain, true, true, kSuccess, "new", false},
    {4, kNone, kHidden, true, true, kSuccess, "new", false},
    // Windows will not rename over a read-only file; Wine renames.
    {5, kWine, kReadOnly, true, true, kAccessDenied, "old", true},
    {6, kNone, kFolder, true, true, kAccessDenied, kAFolder, true},
    {7, kNone, kNoFolder, true, true, kPathNotFound, kAbsent, true},
    // Windows renames only through a handle opened with DELETE; Wine 8
    // renames through any.
    {8, kWine, kNoTarget, true, false, kAccessDenied, kAbsent, true},
};

// The native form of a full path: "\??\" and the path, in UTF-16.
struct NativeRename {
  FILE_RENAME_INFORMATION info;
  WCHAR room[MAX_PATH + 4];
};

void FillRename(const char* target, bool replace, NativeRename* rename) {
  WCHAR* name = rename->info.FileName;
  name[0] = '\\', name[1] = '?', name[2] = '?', name[3] = '\\';
  int length = MultiByteToWideChar(CP_ACP, 0, target, -1, name + 4, MAX_PATH);
  rename->info.ReplaceIfExists = replace;
  rename->info.RootDirectory = nullptr;
  rename->info.FileNameLength = static_cast<ULONG>(length + 3) * sizeof(WCHAR);
}

void RunRenameRow(const RenameRow& r) {
  BeginRow(r.row, r.deviation);
  char source[MAX_PATH], target[MAX_PATH];
  GivenRowFiles("rename", r.row, true, r.target, source, target);
  DWORD access = GENERIC_WRITE | (r.deleteAccess ? DELETE : 0);
  HANDLE file = CreateFileA(source, access, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ExpectNumber("opened", 1, file != INVALID_HANDLE_VALUE);
  NativeRename rename;
  FillRename(target, r.replace, &rename);
  IO_STATUS_BLOCK io;
  SetLastError(kUntouched);
  NTSTATUS status = NtSetInformationFile(file, &io, &rename, sizeof rename, FileRenameInformation);
  ExpectLastError(kUntouched);
  ExpectNumber("status", r.status, status);
  CloseHandle(file);
  ExpectTarget(target, r.after);
  ExpectNumber("source kept", r.sourceAfter, GetFileAttributesA(source) != INVALID_FILE_ATTRIBUTES);
  EndRow();
}

// A file renamed through its handle is still written through it, and the
// handle's file is the one under the new name.
void RunWriteAfterRenameRow(int row) {
  BeginRow(row);
  char source[MAX_PATH], target[MAX_PATH];
  GivenRowFiles("rename", row, true, kNoTarget, source, target);
  HANDLE file = CreateFileA(source, GENERIC_WRITE | DELETE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  NativeRename rename;
  FillRename(target, true, &rename);
  IO_STATUS_BLOCK io;
  ExpectNumber("status", kSuccess, NtSetInformationFile(file, &io, &rename, sizeof rename, FileRenameInformation));
  DWORD written = 0;
  ExpectNumber("written", TRUE, WriteFile(file, "NEW", 3, &written, nullptr) != FALSE);
  CloseHandle(file);
  ExpectTarget(target, "NEW");
  EndRow();
}

}  // namespace

void RunRenameTables() {
  BeginTable("rename");
  for (const RenameRow& r : kRenameRows) RunRenameRow(r);
  RunWriteAfterRenameRow(9);
}

}  // namespace contract
