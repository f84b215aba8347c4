// GetPrivateProfileStringA and WritePrivateProfileStringA: values, lists,
// buffer sizes, quotes, comments, layout of written files and encodings.
// Each row has a file of its own, so that no profile cache of the host can
// carry a row's file into the next.
#include <stdio.h>
#include <string.h>

#include "tests/contract/bytes.h"
#include "tests/contract/contract.h"
#include "tests/contract/scratch.h"
#include "tests/contract/tables.h"

namespace contract {
namespace {

char folder[MAX_PATH];

void RowFile(const char* table, int row, char* path) {
  char name[32];
  snprintf(name, sizeof name, "%s%d.ini", table, row);
  JoinPath(folder, name, path);
}

void GivenFile(const char* path, Bytes content) {
  DeleteFileA(path);
  if (content.data) WriteBytes(path, content.data, content.length);
}

const Bytes kTable = BYTES("[section1]\r\nname1=val1\r\nname2=\"val2\"\r\nname3\r\nname4=a\r\n[section2]\r\nx=y\r\n");
const Bytes kBlanks = BYTES(" \t[ \tsec \t]\r\n \t key \t = \t value with  inner \t \r\n");
const Bytes kQuotes = BYTES("[q]\r\na=  \" x y \"  \r\nb='x'\r\nc=''x''\r\nd=\"x'\r\ne=\"\r\nf=\"\"\r\ng=\"a\"b\r\n");
const Bytes kComments = BYTES("k=before any section\r\n[c]\r\n;a=1\r\n \t;b=2\r\n#c=3\r\nd=4 ;not a comment\r\n");
const Bytes kDuplicates = BYTES("[s]\r\nk=1\r\nk=2\r\n[t]\r\n[S]\r\nk=3\r\nj=4\r\n");
const Bytes kOddLines = BYTES("[s]\rk=v\rj=w\n[a]b]junk\r\ny=2");
const Bytes kUtf16 = BYTES("\xFF\xFE[\0V\0]\0\r\0\n\0F\0=\0T\0 \0\xE9\0t\0\xE9\0\r\0\n\0k\0=\0\x16\x04\r\0\n\0");
const Bytes kUtf8Mark = BYTES("\xEF\xBB\xBF[V]\r\nF=T\r\n");
const Bytes kUtf8MarkLater = BYTES("\xEF\xBB\xBF; package\r\n[V]\r\nF=T\r\n");
const Bytes kSwappedMark = BYTES("\xFE\xFF\0[\0s\0]\0\r\0\nk=v\r\n");

struct ReadRow {
  int row;
  int deviation;
  Bytes file;  // NO_BYTES: the file does not exist
  const char* section;
  const char* key;
  const char* defaultValue;
  DWORD size;
  DWORD result;
  Bytes buffer;  // the first bytes of the buffer afterwards ('#' = untouched)
  DWORD error;
};

const ReadRow kReads[] = {
    {1, kNone, kTable, "section1", "name1", "", 16, 4, BYTES("val1\0"), kAnyError},
    {2, kWine, kTable, "section1", "name1", "", 4, 3, BYTES("val\0"), ERROR_MORE_DATA},
    {3, kNone, kTable, "section1", "name1", "", 5, 4, BYTES("val1\0"), kAnyError},
    {4, kNone, kTable, "section1", "name1", "", 1, 0, BYTES("\0"), kAnyError},
    {5, kNone, kTable, "section1", "name1", "", 0, 0, BYTES("#"), kAnyError},
    {6, kNone, kTable, "section1", "name2", "", 16, 4, BYTES("val2\0"), kAnyError},
    {7, kNone, kTable, "section1", "name3", "-", 16, 1, BYTES("-\0"), kAnyError},
    {8, kNone, kTable, "SECTION1", "NAME4", "", 16, 1, BYTES("a\0"), kAnyError},
    // Key lists: every name and a second NUL; a cut list keeps its two NULs
    // (Wine ends a cut list with one).
    {9, kNone, kTable, "section1", nullptr, "", 64, 18, BYTES("name1\0name2\0name4\0\0"), kAnyError},
    {10, kWine, kTable, "section1", nullptr, "", 16, 14, BYTES("name1\0name2\0na\0\0"), kAnyError},
    {11, kNone, kTable, "section1", nullptr, "", 0, 0, BYTES("#"), kAnyError},
    {12, kWine, kTable, nullptr, nullptr, "", 16, 14, BYTES("section1\0secti\0\0"), kAnyError},
    {13, kNone, kTable, nullptr, nullptr, "", 20, 18, BYTES("section1\0section2\0\0"), kAnyError},
    // Missing file: the default, without its trailing spaces, and error 2.
    {14, kNone, NO_BYTES, "s", "k", "  def  ", 16, 5, BYTES("  def\0"), ERROR_FILE_NOT_FOUND},
    {15, kNone, NO_BYTES, "s", "k", nullptr, 16, 0, BYTES("\0"), ERROR_FILE_NOT_FOUND},
    {16, kNone, NO_BYTES, "s", "k", "default", 4, 3, BYTES("def\0"), kAnyError},
    // Blanks around names and values; spaces of the query, not its tabs.
    {17, kNone, kBlanks, "sec", "key", "-", 64, 17, BYTES("value with  inner\0"), kAnyError},
    {18, kNone, kBlanks, "  sec ", "  key  ", "-", 64, 17, BYTES("value with  inner\0"), kAnyError},
    {19, kWine, kBlanks, "\tsec", "key", "-", 64, 1, BYTES("-\0"), kAnyError},
    {20, kNone, kBlanks, "SEC", "KEY", "-", 64, 17, BYTES("value with  inner\0"), kAnyError},
    // One pair of enclosing quotes goes.
    {21, kNone, kQuotes, "q", "a", "-", 64, 5, BYTES(" x y \0"), kAnyError},
    {22, kNone, kQuotes, "q", "b", "-", 64, 1, BYTES("x\0"), kAnyError},
    {23, kNone, kQuotes, "q", "c", "-", 64, 3, BYTES("'x'\0"), kAnyError},
    {24, kNone, kQuotes, "q", "d", "-", 64, 3, BYTES("\"x'\0"), kAnyError},
    {25, kNone, kQuotes, "q", "e", "-", 64, 1, BYTES("\"\0"), kAnyError},
    {26, kNone, kQuotes, "q", "f", "-", 64, 0, BYTES("\0"), kAnyError},
    {27, kNone, kQuotes, "q", "g", "-", 64, 4, BYTES("\"a\"b\0"), kAnyError},
    // Comments are whole lines that start with ';'.
    {28, kNone, kComments, "c", "a", "-", 64, 1, BYTES("-\0"), kAnyError},
    {29, kNone, kComments, "c", "#c", "-", 64, 1, BYTES("3\0"), kAnyError},
    {30, kNone, kComments, "c", "d", "-", 64, 16, BYTES("4 ;not a comment\0"), kAnyError},
    {31, kNone, kComments, "c", nullptr, "", 64, 5, BYTES("#c\0d\0\0"), kAnyError},
    // Duplicates: listed again, the first one found.
    {32, kNone, kDuplicates, "s", "k", "-", 64, 1, BYTES("1\0"), kAnyError},
    {33, kNone, kDuplicates, "s", nullptr, "", 64, 4, BYTES("k\0k\0\0"), kAnyError},
    {34, kNone, kDuplicates, nullptr, nullptr, "", 64, 6, BYTES("s\0t\0S\0\0"), kAnyError},
    // Lines end at CR, LF or both; a header ends at its first ']'.
    {35, kNone, kOddLines, "s", "j", "-", 64, 1, BYTES("w\0"), kAnyError},
    {36, kWine, kOddLines, "a", "y", "-", 64, 1, BYTES("2\0"), kAnyError},
    // Encodings: UTF-16LE with its mark is read through the code page
    // (U+0416 has no ANSI form); a UTF-8 mark is text of the first line.
    {37, kNone, kUtf16, "V", "F", "-", 64, 5, BYTES("T \xE9t\xE9\0"), kAnyError},
    {38, kNone, kUtf16, "V", "k", "-", 64, 1, BYTES("?\0"), kAnyError},
    {39, kWine, kUtf8Mark, "V", "F", "-", 64, 1, BYTES("-\0"), kAnyError},
    {40, kNone, kUtf8MarkLater, "V", "F", "-", 64, 1, BYTES("T\0"), kAnyError},
    {41, kNone, kSwappedMark, "s", "k", "-", 64, 1, BYTES("-\0"), kAnyError},
};

void RunReadRow(const ReadRow& r) {
  BeginRow(r.row, r.deviation);
  char path[MAX_PATH];
  RowFile("read", r.row, path);
  GivenFile(path, r.file);
  char buffer[128];
  memset(buffer, '#', sizeof buffer);
  SetLastError(kUntouched);
  DWORD result = GetPrivateProfileStringA(r.section, r.key, r.defaultValue, buffer, r.size, path);
  ExpectLastError(r.error);
  ExpectNumber("return", r.result, result);
  ExpectBytes("buffer", r.buffer.data, buffer, r.buffer.length);
  EndRow();
}

// A value longer than 65535 characters: its length wraps at 65536 (Wine
// reads it whole).
void RunLongValueRow(int row) {
  BeginRow(row, kWine);
  static char content[70000];
  static char buffer[70000];
  size_t used = snprintf(content, sizeof content, "[s]\r\nk=");
  memset(content + used, 'x', 65537);
  used += 65537;
  memcpy(content + used, "\r\n", 2);
  char path[MAX_PATH];
  RowFile("long", row, path);
  WriteBytes(path, content, used + 2);
  DWORD result = GetPrivateProfileStringA("s", "k", "", buffer, sizeof buffer, path);
  ExpectNumber("return", 1, result);
  ExpectText("buffer", "x", buffer);
  EndRow();
}

struct Write {
  const char* section;
  const char* key;
  const char* value;
  BOOL result;
  DWORD error;
};

struct WriteRow {
  int row;
  int deviation;
  Bytes before;  // NO_BYTES: the file does not exist
  Write writes[5];  // up to the first one with a null section and key
  Bytes after;      // NO_BYTES: the file still does not exist
};

const Write kEnd = {nullptr, nullptr, nullptr, 0, 0};
#define W(section, key, value) {section, key, value, TRUE, kAnyError}

const WriteRow kWrites[] = {
    {1, kNone, NO_BYTES,
     {W("App1", "key1", "string1"), W("App1", "key2", "string2"),
      W("App2", "key4", "string4"), W("App1", "key3", "string3"), kEnd},
     BYTES("[App1]\r\nkey1=string1\r\nkey2=string2\r\nkey3=string3\r\n[App2]\r\nkey4=string4\r\n")},
    // A null value removes the key (also when it is gone already).
    {2, kNone, BYTES("[a]\r\nk=1\r\nj=2\r\n[b]\r\nx=1\r\n"),
     {W("a", "k", nullptr), W("a", "k", nullptr), W("b", "x", nullptr), kEnd},
     BYTES("[a]\r\nj=2\r\n[b]\r\n")},
    // A null key removes the section with its keys.
    {3, kNone, BYTES("[a]\r\nk=1\r\n[b]\r\nx=1\r\n"), {W("A", nullptr, "ignored"), kEnd},
     BYTES("[b]\r\nx=1\r\n")},
    // Windows edits the lines it changes and keeps everything else.
    {4, kWine, BYTES("junk before\r\n; head\r\n\r\n[Sec]\r\n  Alpha = 1  \r\n; note\r\n\r\nbeta=2\r\n\r\n[t]\r\nx=y"),
     {W("sec", "ALPHA", "9"), W("SEC", "gamma", " spaced "), W("t", "z", "1"), W("  new  ", "  key  ", "v"), kEnd},
     BYTES("junk before\r\n; head\r\n\r\n[Sec]\r\n  Alpha =9\r\n; note\r\n\r\nbeta=2\r\ngamma= spaced \r\n\r\n"
           "[t]\r\nx=y\r\nz=1\r\n[new]\r\nkey=v\r\n")},
    // Refused: a null section with a key; the file stays absent.
    {5, kNone, NO_BYTES, {{nullptr, "k", "v", FALSE, ERROR_FILE_NOT_FOUND}, kEnd}, NO_BYTES},
    // A null value on an absent file makes an empty file (Wine makes none).
    {6, kWine, NO_BYTES, {W("s", "k", nullptr), kEnd}, BYTES("")},
    // A UTF-16LE file is written back in UTF-16LE, the mark alone too.
    {7, kNone, BYTES("\xFF\xFE[\0V\0]\0\r\0\n\0F\0=\0T\0\r\0\n\0"),
     {W("S", "D", "C:\\Caf\xE9"), W("V", "F", "T 2"), kEnd},
     BYTES("\xFF\xFE[\0V\0]\0\r\0\n\0F\0=\0T\0 \0" "2\0\r\0\n\0[\0S\0]\0\r\0\n\0D\0=\0C\0:\0\\\0C\0a\0f\0\xE9\0\r\0\n\0")},
    {8, kNone, BYTES("\xFF\xFE"), {W("s", "k", "v"), kEnd}, BYTES("\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0v\0\r\0\n\0")},
    // A UTF-8 mark hides the first header: a second one is added.
    {9, kWine, BYTES("\xEF\xBB\xBF[s]\r\nk=v\r\n"), {W("s", "k", "w"), kEnd},
     BYTES("\xEF\xBB\xBF[s]\r\nk=v\r\n[s]\r\nk=w\r\n")},
    // Windows leaves the error of its first look for the new file; Wine clears it.
    {10, kWine, NO_BYTES, {{"s", "k", "v", TRUE, ERROR_FILE_NOT_FOUND}, kEnd}, BYTES("[s]\r\nk=v\r\n")},
};

void RunWrite(const Write& w, const char* path, int index) {
  SetLastError(kUntouched);
  BOOL result = WritePrivateProfileStringA(w.section, w.key, w.value, path);
  char what[32];
  snprintf(what, sizeof what, "write %d", index + 1);
  ExpectNumber(what, w.result, result != FALSE);
  ExpectLastError(w.error);
}

void RunWriteRow(const WriteRow& r) {
  BeginRow(r.row, r.deviation);
  char path[MAX_PATH];
  RowFile("write", r.row, path);
  GivenFile(path, r.before);
  for (int i = 0; i < 5 && (r.writes[i].section || r.writes[i].key); ++i) RunWrite(r.writes[i], path, i);
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, path);  // out of any cache
  static char content[512];
  long length = ReadBytes(path, content, sizeof content);
  if (!r.after.data) {
    ExpectNumber("file exists", 0, length >= 0);
  } else {
    ExpectNumber("file length", r.after.length, length);
    if (length == static_cast<long>(r.after.length)) ExpectBytes("file", r.after.data, content, length);
  }
  EndRow();
}

struct RefusedRow {
  int row;
  const char* file;
  DWORD writeError;
  DWORD readError;  // kAnyError: the read is not checked
};

// Names no file may have are refused before anything is made, and so is a
// file in a folder that does not exist.
const RefusedRow kRefused[] = {
    {1, "C:\\contract\\profile\\a|b.ini", ERROR_INVALID_NAME, ERROR_INVALID_NAME},
    {2, "C:\\contract\\profile\\a?b.ini", ERROR_INVALID_NAME, ERROR_INVALID_NAME},
    {3, "C:\\contract\\profile\\a*b.ini", ERROR_INVALID_NAME, ERROR_INVALID_NAME},
    {4, "C:\\contract\\profile\\a<b.ini", ERROR_INVALID_NAME, ERROR_INVALID_NAME},
    {5, "C:\\contract\\profile\\a>b.ini", ERROR_INVALID_NAME, ERROR_INVALID_NAME},
    {6, "C:\\contract\\profile\\a\"b.ini", ERROR_INVALID_NAME, ERROR_INVALID_NAME},
    {7, "C:\\contract\\no such folder\\x.ini", ERROR_PATH_NOT_FOUND, kAnyError},
    {8, "", ERROR_ACCESS_DENIED, kAnyError},
};

void RunRefusedRow(const RefusedRow& r) {
  BeginRow(r.row);
  SetLastError(kUntouched);
  ExpectNumber("write", FALSE, WritePrivateProfileStringA("s", "k", "v", r.file));
  ExpectLastError(r.writeError);
  char buffer[8];
  SetLastError(kUntouched);
  DWORD result = GetPrivateProfileStringA("s", "k", "def", buffer, sizeof buffer, r.file);
  if (r.readError != kAnyError) {
    ExpectLastError(r.readError);
    ExpectNumber("read", 3, result);
    ExpectText("read buffer", "def", buffer);
  }
  ExpectNumber("file made", INVALID_FILE_ATTRIBUTES, GetFileAttributesA(r.file));
  EndRow();
}

// A read-only profile cannot be written and keeps its content.
void RunReadOnlyRow(int row) {
  BeginRow(row, kWineAsRoot);
  char path[MAX_PATH];
  RowFile("readonly", row, path);
  WriteText(path, "[s]\r\nk=v\r\n");
  SetFileAttributesA(path, FILE_ATTRIBUTE_READONLY);
  SetLastError(kUntouched);
  ExpectNumber("write", FALSE, WritePrivateProfileStringA("s", "k", "w", path));
  ExpectLastError(ERROR_ACCESS_DENIED);
  char content[64];
  ReadBytes(path, content, sizeof content);
  ExpectText("file", "[s]\r\nk=v\r\n", content);
  SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
  EndRow();
}

}  // namespace

void RunProfileTables() {
  MakeScratchFolder("profile", folder);
  BeginTable("profile read");
  for (const ReadRow& r : kReads) RunReadRow(r);
  RunLongValueRow(42);
  BeginTable("profile write");
  for (const WriteRow& r : kWrites) RunWriteRow(r);
  RunReadOnlyRow(11);
  BeginTable("profile refused");
  for (const RefusedRow& r : kRefused) RunRefusedRow(r);
}

}  // namespace contract
