// FindFirstFileA and FindNextFileA: DOS masks and the errors of a search.
// Names are compared sorted, since only NTFS returns them in order.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "tests/contract/contract.h"
#include "tests/contract/scratch.h"
#include "tests/contract/tables.h"

namespace contract {
namespace {

char folder[MAX_PATH];

// Every name is a valid short name, so that no alias can match a mask.
const char* const kFiles[] = {"a.txt", "a1.txt", "ab.txt", "abc.txt", "readme", "b.dat"};

void GivenFolder() {
  MakeScratchFolder("find", folder);
  char path[MAX_PATH];
  for (const char* name : kFiles) {
    JoinPath(folder, name, path);
    WriteText(path, "x");
  }
  JoinPath(folder, "sub", path);
  CreateDirectoryA(path, nullptr);
}

struct FindRow {
  int row;
  int deviation;
  const char* mask;     // under the scratch folder; "missing\..." has no folder
  const char* names;    // the names found, sorted, each followed by '|'
  DWORD error;          // of FindFirstFileA, or of the FindNextFileA that ends
};

const FindRow kFinds[] = {
    {1, kNone, "*", ".|..|A.TXT|A1.TXT|AB.TXT|ABC.TXT|B.DAT|README|SUB|", ERROR_NO_MORE_FILES},
    {2, kNone, "*.*", ".|..|A.TXT|A1.TXT|AB.TXT|ABC.TXT|B.DAT|README|SUB|", ERROR_NO_MORE_FILES},
    {3, kNone, "*.txt", "A.TXT|A1.TXT|AB.TXT|ABC.TXT|", ERROR_NO_MORE_FILES},
    {4, kNone, "*.TXT", "A.TXT|A1.TXT|AB.TXT|ABC.TXT|", ERROR_NO_MORE_FILES},
    // A '?' before the dot may match nothing (Wine wants one character).
    {5, kWine, "a?.txt", "A.TXT|A1.TXT|AB.TXT|", ERROR_NO_MORE_FILES},
    {6, kWine, "a??.txt", "A.TXT|A1.TXT|AB.TXT|ABC.TXT|", ERROR_NO_MORE_FILES},
    // A trailing dot asks for names without an extension (Wine: none).
    {7, kWine, "*.", ".|..|README|SUB|", ERROR_NO_MORE_FILES},
    {8, kNone, "README", "README|", ERROR_NO_MORE_FILES},
    {9, kNone, "b*", "B.DAT|", ERROR_NO_MORE_FILES},
    {10, kNone, "*.inf", "", ERROR_FILE_NOT_FOUND},
    {11, kNone, "none.txt", "", ERROR_FILE_NOT_FOUND},
    {12, kNone, "missing\\*", "", ERROR_PATH_NOT_FOUND},
    {13, kNone, "missing\\a.txt", "", ERROR_PATH_NOT_FOUND},
};

int CompareNames(const void* a, const void* b) {
  return strcmp(static_cast<const char*>(a), static_cast<const char*>(b));
}

// The search's names, upper-cased and sorted, into `list`; the last error
// of the call that ended it.
DWORD Search(const char* pattern, char* list, size_t capacity) {
  char names[16][MAX_PATH];
  int count = 0;
  WIN32_FIND_DATAA data;
  SetLastError(kUntouched);
  HANDLE find = FindFirstFileA(pattern, &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      if (count < 16) snprintf(names[count++], MAX_PATH, "%s", data.cFileName);
    } while (FindNextFileA(find, &data));
  }
  DWORD error = GetLastError();
  if (find != INVALID_HANDLE_VALUE) FindClose(find);
  qsort(names, count, sizeof names[0], CompareNames);
  list[0] = '\0';
  for (int i = 0; i < count; ++i) {
    for (char* c = names[i]; *c; ++c)
      if (*c >= 'a' && *c <= 'z') *c = static_cast<char>(*c - 'a' + 'A');
    size_t used = strlen(list);
    snprintf(list + used, capacity - used, "%s|", names[i]);
  }
  return error;
}

void RunFindRow(const FindRow& r) {
  BeginRow(r.row, r.deviation);
  char pattern[MAX_PATH];
  char found[400];
  JoinPath(folder, r.mask, pattern);
  DWORD error = Search(pattern, found, sizeof found);
  ExpectText("names", r.names, found);
  ExpectNumber("last error", r.error, error);
  EndRow();
}

// A handle that was never a search's.
void RunBadHandleRow(int row) {
  BeginRow(row);
  WIN32_FIND_DATAA data;
  SetLastError(kUntouched);
  ExpectNumber("return", FALSE, FindNextFileA(INVALID_HANDLE_VALUE, &data));
  ExpectLastError(ERROR_INVALID_HANDLE);
  EndRow();
}

struct EntryRow {
  int row;
  int deviation;
  const char* name;  // made in C:\contract\entries, a folder when it ends in '\\'
  DWORD set;         // attributes set on it, 0 for none
  DWORD attributes;  // as the search returns them
  DWORD size;
  const char* alternate;  // the short alias, "" for a name that is short already
};

// Windows makes an alias from a long name's first six characters; Wine from
// a hash of the name. A dot file is an ordinary file on Windows; Wine hides it.
const EntryRow kEntries[] = {
    {1, kNone, "plain.txt", 0, FILE_ATTRIBUTE_ARCHIVE, 5, ""},
    {2, kNone, "hidden.ini", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE,
     FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE, 5, ""},
    {3, kWine, "system.ini", FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY,
     FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY, 5, ""},
    {4, kWine, ".config", 0, FILE_ATTRIBUTE_ARCHIVE, 5, "CONFIG~1"},
    {5, kWine, "Long File Name.text", 0, FILE_ATTRIBUTE_ARCHIVE, 5, "LONGFI~1.TEX"},
    {6, kNone, "sub\\", 0, FILE_ATTRIBUTE_DIRECTORY, 0, ""},
};

void RunEntryRow(const EntryRow& r, const char* entries) {
  BeginRow(r.row, r.deviation);
  char path[MAX_PATH];
  JoinPath(entries, r.name, path);
  size_t length = strlen(path);
  bool isFolder = path[length - 1] == '\\';
  if (isFolder) {
    path[length - 1] = '\0';
    CreateDirectoryA(path, nullptr);
  } else {
    WriteText(path, "12345");
  }
  if (r.set) SetFileAttributesA(path, r.set);
  WIN32_FIND_DATAA data;
  memset(&data, 0, sizeof data);
  HANDLE find = FindFirstFileA(path, &data);
  ExpectNumber("found", true, find != INVALID_HANDLE_VALUE);
  if (find != INVALID_HANDLE_VALUE) FindClose(find);
  ExpectNumber("attributes", r.attributes, data.dwFileAttributes);
  ExpectNumber("size", r.size, data.nFileSizeLow);
  ExpectText("alternate", r.alternate, data.cAlternateFileName);
  EndRow();
}

}  // namespace

void RunFindTables() {
  GivenFolder();
  BeginTable("find");
  for (const FindRow& r : kFinds) RunFindRow(r);
  RunBadHandleRow(14);
  char entries[MAX_PATH];
  MakeScratchFolder("entries", entries);
  BeginTable("find data");
  for (const EntryRow& r : kEntries) RunEntryRow(r, entries);
}

}  // namespace contract
