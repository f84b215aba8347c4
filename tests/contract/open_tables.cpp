// CreateFileA: every disposition over targets of every kind, and the
// sharing of a file that is open already.
#include "tests/contract/contract.h"
#include "tests/contract/given_files.h"
#include "tests/contract/tables.h"

namespace contract {
namespace {

struct OpenRow {
  int row;
  int deviation;
  Target target;
  DWORD access;
  DWORD disposition;
  DWORD attributes;
  bool opened;
  DWORD error;        // also of a success: 183 tells the file was there
  const char* after;  // the target's content once closed, kAbsent or kAFolder
};

const DWORD kRead = GENERIC_READ;
const DWORD kWrite = GENERIC_WRITE;
const DWORD kNormal = FILE_ATTRIBUTE_NORMAL;

const OpenRow kOpens[] = {
    {1, kNone, kNoTarget, kRead, OPEN_EXISTING, 0, false, ERROR_FILE_NOT_FOUND, kAbsent},
    {2, kNone, kNoFolder, kWrite, CREATE_ALWAYS, kNormal, false, ERROR_PATH_NOT_FOUND, kAbsent},
    {3, kNone, kNoTarget, kWrite, CREATE_NEW, kNormal, true, kAnyError, ""},
    {4, kNone, kPlain, kWrite, CREATE_NEW, kNormal, false, ERROR_FILE_EXISTS, "old"},
    {5, kNone, kNoTarget, kWrite, OPEN_ALWAYS, kNormal, true, ERROR_SUCCESS, ""},
    {6, kNone, kPlain, kWrite, OPEN_ALWAYS, kNormal, true, ERROR_ALREADY_EXISTS, "old"},
    {7, kNone, kNoTarget, kWrite, CREATE_ALWAYS, kNormal, true, ERROR_SUCCESS, ""},
    {8, kNone, kPlain, kWrite, CREATE_ALWAYS, kNormal, true, ERROR_ALREADY_EXISTS, ""},
    {9, kNone, kPlain, kWrite, TRUNCATE_EXISTING, 0, true, kAnyError, ""},
    {10, kNone, kNoTarget, kWrite, TRUNCATE_EXISTING, 0, false, ERROR_FILE_NOT_FOUND, kAbsent},
    {11, kNone, kReadOnly, kRead, OPEN_EXISTING, 0, true, kAnyError, "old"},
    {12, kWineAsRoot, kReadOnly, kWrite, OPEN_EXISTING, 0, false, ERROR_ACCESS_DENIED, "old"},
    // Replacing a hidden or system file needs the same attribute (Wine
    // empties the hidden file it refuses and replaces the system file).
    {13, kWine, kHidden, kWrite, CREATE_ALWAYS, kNormal, false, ERROR_ACCESS_DENIED, "old"},
    {14, kNone, kHidden, kWrite, CREATE_ALWAYS, FILE_ATTRIBUTE_HIDDEN, true, ERROR_ALREADY_EXISTS, ""},
    {15, kWine, kSystem, kWrite, CREATE_ALWAYS, kNormal, false, ERROR_ACCESS_DENIED, "old"},
    {16, kNone, kHidden, kWrite, OPEN_EXISTING, 0, true, kAnyError, "old"},
    {17, kNone, kFolder, kWrite, CREATE_ALWAYS, kNormal, false, ERROR_ACCESS_DENIED, kAFolder},
};

void RunOpenRow(const OpenRow& r) {
  BeginRow(r.row, r.deviation);
  char source[MAX_PATH], target[MAX_PATH];
  GivenRowFiles("open", r.row, false, r.target, source, target);
  SetLastError(kUntouched);
  HANDLE file = CreateFileA(target, r.access, 0, nullptr, r.disposition, r.attributes, nullptr);
  ExpectLastError(r.error);
  ExpectNumber("opened", r.opened, file != INVALID_HANDLE_VALUE);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  ExpectTarget(target, r.after);
  EndRow();
}

enum Second { kOpenForRead, kOpenForWrite, kCopyOnto, kDeleteIt };

struct ShareRow {
  int row;
  int deviation;
  DWORD firstAccess;
  DWORD firstShare;
  Second second;
  bool done;
  DWORD error;
};

const ShareRow kShares[] = {
    {1, kNone, kRead, FILE_SHARE_READ, kOpenForRead, true, kAnyError},
    {2, kNone, kRead, FILE_SHARE_READ, kOpenForWrite, false, ERROR_SHARING_VIOLATION},
    {3, kNone, kRead, FILE_SHARE_READ | FILE_SHARE_WRITE, kOpenForWrite, true, kAnyError},
    // The second open shares reading only, while the first one writes.
    {4, kNone, kWrite, FILE_SHARE_READ, kOpenForRead, false, ERROR_SHARING_VIOLATION},
    {5, kNone, kWrite, FILE_SHARE_READ, kCopyOnto, false, ERROR_SHARING_VIOLATION},
    {6, kNone, kRead, FILE_SHARE_READ, kDeleteIt, false, ERROR_SHARING_VIOLATION},
    {7, kNone, kRead, 0, kOpenForRead, false, ERROR_SHARING_VIOLATION},
};

bool DoSecond(Second second, const char* source, const char* target) {
  DWORD access = second == kOpenForWrite ? kWrite : kRead;
  switch (second) {
    case kCopyOnto: return CopyFileA(source, target, FALSE) != FALSE;
    case kDeleteIt: return DeleteFileA(target) != FALSE;
    default: break;
  }
  HANDLE file = CreateFileA(target, access, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

void RunShareRow(const ShareRow& r) {
  BeginRow(r.row, r.deviation);
  char source[MAX_PATH], target[MAX_PATH];
  GivenRowFiles("share", r.row, true, kPlain, source, target);
  HANDLE first = CreateFileA(target, r.firstAccess, r.firstShare, nullptr, OPEN_EXISTING, 0, nullptr);
  ExpectNumber("first open", true, first != INVALID_HANDLE_VALUE);
  SetLastError(kUntouched);
  bool done = DoSecond(r.second, source, target);
  ExpectLastError(r.error);
  ExpectNumber("done", r.done, done);
  CloseHandle(first);
  EndRow();
}

}  // namespace

void RunOpenTables() {
  BeginTable("open");
  for (const OpenRow& r : kOpens) RunOpenRow(r);
  BeginTable("sharing");
  for (const ShareRow& r : kShares) RunShareRow(r);
}

}  // namespace contract
