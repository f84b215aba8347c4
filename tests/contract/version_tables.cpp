// GetFileVersionInfoSizeA, GetFileVersionInfoA and VerQueryValueA as the
// installer reads a file's version: over the PE test files of the build
// (32- and 64-bit images with and without a version resource, a 16-bit NE
// file), a text file and names that lead nowhere.
#include <stdio.h>
#include <string.h>

#include "tests/contract/bytes.h"
#include "tests/contract/contract.h"
#include "tests/contract/scratch.h"
#include "tests/contract/tables.h"

namespace contract {
namespace {

// Files outside the PE folder, made in C:\contract\version for the run.
const char kTextFile[] = "C:\\contract\\version\\readme.txt";
const char kMissingFile[] = "C:\\contract\\version\\missing.dll";
const char kMissingFolder[] = "C:\\contract\\version\\none\\missing.dll";

// A buffer larger than any block of the test files, filled with kFill
// before each use so that what a call leaves alone shows.
const size_t kBlockCapacity = 8192;
const unsigned char kFill = 0xCD;
unsigned char block[kBlockCapacity];

// `file` in the PE folder; a path starting "C:" as it is; "" stays empty.
void PathOf(const char* peFolder, const char* file, char* out) {
  if (file[0] == '\0' || strncmp(file, "C:", 2) == 0)
    snprintf(out, MAX_PATH, "%s", file);
  else
    JoinPath(peFolder, file, out);
}

// The resource's own length, from the first word of its block.
size_t ResourceLength() { return block[0] | (block[1] << 8); }

// ---- loading a file's block ----

struct LoadRow {
  int row;
  int deviation;
  const char* file;
  DWORD size;   // what GetFileVersionInfoSizeA returns
  DWORD error;  // and the last error it leaves
  BOOL read;    // GetFileVersionInfoA into a buffer of that size (64 bytes for 0)
  DWORD readError;
  bool marker;  // "FE2X" follows the resource in the block
};

const LoadRow kLoadRows[] = {
    {1, kNone, "v1234_pe32.dll", 1476, ERROR_SUCCESS, TRUE, kAnyError, true},
    {2, kNone, "v1234_pe64.dll", 1476, ERROR_SUCCESS, TRUE, kAnyError, true},
    {3, kNone, "v2700_pe32.dll", 1452, ERROR_SUCCESS, TRUE, kAnyError, true},
    {4, kNone, "german_pe32.dll", 788, ERROR_SUCCESS, TRUE, kAnyError, true},
    {5, kNone, "notrans_pe64.dll", 556, ERROR_SUCCESS, TRUE, kAnyError, true},
    // A 16-bit block has no marker: its strings are ANSI already, and its
    // spare room is for Unicode copies.
    {6, kNone, "ne_v7102.exe", 624, ERROR_SUCCESS, TRUE, kAnyError, false},
    // Windows answers as FindResource does: no version type (1813), no
    // resource of ID 1 (1814); Wine 8 reports 1812 for both.
    {7, kWine, "nover_pe32.dll", 0, ERROR_RESOURCE_TYPE_NOT_FOUND, FALSE, ERROR_RESOURCE_TYPE_NOT_FOUND,
     false},
    {8, kWine, "nover_pe64.dll", 0, ERROR_RESOURCE_TYPE_NOT_FOUND, FALSE, ERROR_RESOURCE_TYPE_NOT_FOUND,
     false},
    {9, kWine, "otherid_pe32.dll", 0, ERROR_RESOURCE_NAME_NOT_FOUND, FALSE, ERROR_RESOURCE_NAME_NOT_FOUND,
     false},
    {10, kNone, kTextFile, 0, ERROR_RESOURCE_DATA_NOT_FOUND, FALSE, ERROR_RESOURCE_DATA_NOT_FOUND, false},
    {11, kNone, kMissingFile, 0, ERROR_FILE_NOT_FOUND, FALSE, ERROR_FILE_NOT_FOUND, false},
    {12, kNone, kMissingFolder, 0, ERROR_PATH_NOT_FOUND, FALSE, ERROR_PATH_NOT_FOUND, false},
    {13, kNone, "", 0, ERROR_BAD_PATHNAME, FALSE, ERROR_PATH_NOT_FOUND, false},
    // Damaged images: a version block cut short, headers pointing outside the file.
    {14, kNone, "hostile_trunc_version.dll", 0, kAnyError, FALSE, kAnyError, false},
    {15, kNone, "hostile_lfanew_out.dll", 0, kAnyError, FALSE, kAnyError, false},
    {16, kNone, "hostile_rsrc_rva_out.dll", 0, kAnyError, FALSE, kAnyError, false},
    {17, kNone, "hostile_loop_type.dll", 0, kAnyError, FALSE, kAnyError, false},
};

void RunLoadRow(const char* peFolder, const LoadRow& r) {
  BeginRow(r.row, r.deviation);
  char path[MAX_PATH];
  PathOf(peFolder, r.file, path);
  DWORD handle = 77;
  SetLastError(kUntouched);
  DWORD size = GetFileVersionInfoSizeA(path, &handle);
  ExpectLastError(r.error);
  ExpectNumber("size", r.size, size);
  ExpectNumber("handle", 0, handle);
  memset(block, kFill, sizeof block);
  DWORD bufferSize = size == 0 || size > kBlockCapacity ? 64 : size;
  SetLastError(kUntouched);
  ExpectNumber("read", r.read, GetFileVersionInfoA(path, 0, bufferSize, block) != FALSE);
  ExpectLastError(r.readError);
  if (r.read) {
    ExpectNumber("resource length below size", 1, ResourceLength() < size);
    ExpectNumber("marker", r.marker, memcmp(block + ResourceLength(), "FE2X", 4) == 0);
  }
  EndRow();
}

// ---- a block read into buffers of other sizes ----

struct ReadRow {
  int row;
  int deviation;
  DWORD size;  // the buffer GetFileVersionInfoA is told of
  bool noBuffer;
  BOOL result;
  DWORD error;
  size_t filled;  // the bytes of the whole block it gets; the rest stays as it was
};

// Over v2700_pe32.dll: a short buffer holds the start of the block and no marker.
const ReadRow kReadRows[] = {
    {1, kNone, 0, false, TRUE, kAnyError, 0},
    {2, kNone, 60, false, TRUE, kAnyError, 60},
    {3, kNone, 1, false, TRUE, kAnyError, 1},
    {4, kNone, 100, true, FALSE, ERROR_INVALID_DATA, 0},
};

void RunReadRow(const char* peFolder, const ReadRow& r) {
  BeginRow(r.row, r.deviation);
  char path[MAX_PATH];
  PathOf(peFolder, "v2700_pe32.dll", path);
  DWORD size = GetFileVersionInfoSizeA(path, nullptr);
  static unsigned char whole[kBlockCapacity];
  memset(whole, kFill, sizeof whole);
  GetFileVersionInfoA(path, 0, size, whole);
  memset(block, kFill, sizeof block);
  SetLastError(kUntouched);
  BOOL result = GetFileVersionInfoA(path, 0, r.size, r.noBuffer ? nullptr : block);
  ExpectLastError(r.error);
  ExpectNumber("return", r.result, result != FALSE);
  ExpectBytes("filled", whole, block, r.filled);
  static const unsigned char untouched[16] = {kFill, kFill, kFill, kFill, kFill, kFill, kFill, kFill,
                                              kFill, kFill, kFill, kFill, kFill, kFill, kFill, kFill};
  ExpectBytes("after", untouched, block + r.filled, sizeof untouched);
  EndRow();
}

// ---- values of a block ----

// Where VerQueryValueA leaves the pointer.
enum Place { kInResource, kInSpare, kPointerKept };

struct QueryRow {
  int row;
  int deviation;
  const char* file;
  const char* subBlock;  // nullptr: no name at all
  BOOL result;
  UINT length;
  Bytes value;  // the bytes the pointer shows (NO_BYTES: none compared)
  Place place;
  DWORD error;
};

// The root: signature, structure version, file and product versions.
#define V1234_ROOT \
  "\xBD\x04\xEF\xFE\x00\x00\x01\x00\x08\x00\x09\x00\x06\x00\x07\x00\x02\x00\x01\x00\x04\x00\x03\x00"
#define TWOLANG_ROOT \
  "\xBD\x04\xEF\xFE\x00\x00\x01\x00\x00\x00\x04\x00\x00\x00\x00\x00\x00\x00\x04\x00\x00\x00\x00\x00"
#define V2700_ROOT \
  "\xBD\x04\xEF\xFE\x00\x00\x01\x00\x07\x00\x02\x00\x00\x00\x00\x00\x07\x00\x02\x00\x00\x00\x00\x00"

const QueryRow kQueryRows[] = {
    {1, kNone, "v1234_pe32.dll", "\\", TRUE, 52, BYTES(V1234_ROOT), kInResource, kAnyError},
    {2, kNone, "v1234_pe64.dll", "\\", TRUE, 52, BYTES(V1234_ROOT), kInResource, kAnyError},
    {3, kNone, "v2700_pe32.dll", "", TRUE, 52, BYTES(V2700_ROOT), kInResource, kAnyError},
    {4, kNone, "v2700_pe32.dll", nullptr, TRUE, 52, BYTES(V2700_ROOT), kInResource, kAnyError},
    // Of two languages the U.S. English resource is the one read.
    {5, kNone, "twolang_pe32.dll", "\\", TRUE, 52, BYTES(TWOLANG_ROOT), kInResource, kAnyError},
    {6, kNone, "v2700_pe32.dll", "\\VarFileInfo\\Translation", TRUE, 4, BYTES("\x09\x04\xE4\x04"),
     kInResource, kAnyError},
    {7, kNone, "german_pe32.dll", "\\varfileinfo\\TRANSLATION", TRUE, 4, BYTES("\x07\x04\xB0\x04"),
     kInResource, kAnyError},
    // Strings come back as ANSI copies in the spare half, their NUL counted.
    {8, kNone, "v1234_pe32.dll", "\\StringFileInfo\\040904E4\\CompanyName", TRUE, 15,
     BYTES("Second Company\0"), kInSpare, kAnyError},
    {9, kNone, "v2700_pe32.dll", "\\stringfileinfo\\040904e4\\productversion", TRUE, 8, BYTES("2.7.0.0\0"),
     kInSpare, kAnyError},
    {10, kNone, "v2700_pe32.dll", "\\\\StringFileInfo\\\\040904E4\\\\ProductVersion", TRUE, 8,
     BYTES("2.7.0.0\0"), kInSpare, kAnyError},
    {11, kNone, "german_pe64.dll", "\\StringFileInfo\\040704B0\\CompanyName", TRUE, 12,
     BYTES("M\xFCller GmbH\0"), kInSpare, kAnyError},
    {12, kNone, "german_pe64.dll", "\\StringFileInfo\\040704B0\\FileDescription", TRUE, 12,
     BYTES("Pr\xFC"
           "fdatei \x80\0"),
     kInSpare, kAnyError},
    {13, kNone, "ne_v7102.exe", "\\StringFileInfo\\040904E4\\CompanyName", TRUE, 15,
     BYTES("Sixteen Bit Co\0"), kInResource, kAnyError},
    // A block on the path gives its place and no length.
    {14, kNone, "v2700_pe32.dll", "\\StringFileInfo", TRUE, 0, NO_BYTES, kInSpare, kAnyError},
    {15, kNone, "v2700_pe32.dll", "\\StringFileInfo\\040904E4", TRUE, 0, NO_BYTES, kInSpare, kAnyError},
    // Names that are not there: FALSE, the pointer kept.
    {16, kNone, "v2700_pe32.dll", "\\StringFileInfo\\040904E4\\Company", FALSE, 0, NO_BYTES, kPointerKept,
     ERROR_RESOURCE_TYPE_NOT_FOUND},
    {17, kNone, "v2700_pe32.dll", "\\StringFileInfo\\040904E4\\CompanyNameX", FALSE, 0, NO_BYTES,
     kPointerKept, ERROR_RESOURCE_TYPE_NOT_FOUND},
    {18, kNone, "german_pe32.dll", "\\StringFileInfo\\040904E4\\CompanyName", FALSE, 0, NO_BYTES,
     kPointerKept, ERROR_RESOURCE_TYPE_NOT_FOUND},
    {19, kNone, "notrans_pe32.dll", "\\VarFileInfo\\Translation", FALSE, 0, NO_BYTES, kPointerKept,
     ERROR_RESOURCE_TYPE_NOT_FOUND},
    {20, kNone, "v2700_pe32.dll", "\\StringFileInfo\\040904E4\\CompanyNam", FALSE, 0, NO_BYTES,
     kPointerKept, ERROR_RESOURCE_TYPE_NOT_FOUND},
    {21, kNone, "v2700_pe32.dll", "\\StringFileInfo\\04090000\\CompanyName", FALSE, 0, NO_BYTES,
     kPointerKept, ERROR_RESOURCE_TYPE_NOT_FOUND},
    {22, kNone, "v2700_pe32.dll", "String", FALSE, 0, NO_BYTES, kPointerKept, ERROR_RESOURCE_TYPE_NOT_FOUND},
};

void* const kKeptPointer = reinterpret_cast<void*>(0x1234);

void ExpectPlace(Place place, const void* value, DWORD size) {
  const unsigned char* p = static_cast<const unsigned char*>(value);
  int actual = kPointerKept;
  if (p >= block && p < block + ResourceLength())
    actual = kInResource;
  else if (p >= block + ResourceLength() + 4 && p < block + size)
    actual = kInSpare;
  else if (value != kKeptPointer)
    actual = -1;
  ExpectNumber("place", place, actual);
}

void RunQueryRow(const char* peFolder, const QueryRow& r) {
  BeginRow(r.row, r.deviation);
  char path[MAX_PATH];
  PathOf(peFolder, r.file, path);
  DWORD size = GetFileVersionInfoSizeA(path, nullptr);
  memset(block, kFill, sizeof block);
  if (size == 0 || size > kBlockCapacity || !GetFileVersionInfoA(path, 0, size, block)) {
    ExpectNumber("block read", 1, 0);
    EndRow();
    return;
  }
  void* value = kKeptPointer;
  UINT length = 99;
  SetLastError(kUntouched);
  BOOL result = VerQueryValueA(block, r.subBlock, &value, &length);
  ExpectLastError(r.error);
  ExpectNumber("return", r.result, result != FALSE);
  ExpectNumber("length", r.length, length);
  ExpectPlace(r.place, value, size);
  if (r.value.data && r.place != kPointerKept) ExpectBytes("value", r.value.data, value, r.value.length);
  EndRow();
}

}  // namespace

void RunVersionTables(const char* peFolder) {
  char folder[MAX_PATH];
  MakeScratchFolder("version", folder);
  WriteText(kTextFile, "not an executable\n");
  BeginTable("version load");
  for (const LoadRow& r : kLoadRows) RunLoadRow(peFolder, r);
  BeginTable("version read");
  for (const ReadRow& r : kReadRows) RunReadRow(peFolder, r);
  BeginTable("version query");
  for (const QueryRow& r : kQueryRows) RunQueryRow(peFolder, r);
}

}  // namespace contract
