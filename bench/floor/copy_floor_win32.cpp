// The least that a Win32 installer copying file by file can do for one file
// while keeping an installed file whole: open the new file, write it under a
// temporary name in the target's folder, give it the new file's time, rename
// it over the target through its handle, and write one log line. No checks,
// no messages: a floor to measure the installer and its peers against, not a
// tool. Used by bench/peer_bench.sh only.
//
// usage: copy_floor.exe SOURCE_FOLDER TARGET_FOLDER LOG_FILE
#include <windows.h>
#include <winternl.h>

#include <cstdio>

namespace {
char g_buffer[1 << 16];
HANDLE g_log;

typedef LONG(WINAPI* SetInformationFile)(HANDLE, IO_STATUS_BLOCK*, void*, ULONG, int);
SetInformationFile g_setInformation;
const int FileRenameInformationClass = 10;

struct RenameRequest {
  BOOLEAN replaceIfExists;
  HANDLE rootDirectory;
  ULONG fileNameLength;
  WCHAR fileName[MAX_PATH + 8];
};

void RenameThroughHandle(HANDLE file, const char* target) {
  RenameRequest rename = {TRUE, nullptr, 0, {'\\', '?', '?', '\\'}};
  int length = MultiByteToWideChar(CP_ACP, 0, target, -1, rename.fileName + 4, MAX_PATH);
  rename.fileNameLength = static_cast<ULONG>(length + 3) * sizeof(WCHAR);
  IO_STATUS_BLOCK status;
  g_setInformation(file, &status, &rename, sizeof rename, FileRenameInformationClass);
}

void CopyOne(const char* from, const char* folder, const char* to, const FILETIME& written) {
  char temporary[MAX_PATH];
  std::snprintf(temporary, sizeof temporary, "%s\\~STP0000.TMP", folder);
  HANDLE in = CreateFileA(from, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  HANDLE out = CreateFileA(temporary, GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_ARCHIVE, nullptr);
  DWORD got = 0, put = 0;
  while (ReadFile(in, g_buffer, sizeof g_buffer, &got, nullptr) && got) {
    WriteFile(out, g_buffer, got, &put, nullptr);
    if (got < sizeof g_buffer) break;
  }
  SetFileTime(out, nullptr, nullptr, &written);
  RenameThroughHandle(out, to);
  CloseHandle(out);
  CloseHandle(in);
  char line[MAX_PATH + 32];
  int length = std::snprintf(line, sizeof line, "%s\t12/8/2026 created\r\n", to);
  WriteFile(g_log, line, static_cast<DWORD>(length), &put, nullptr);
}

void CopyFolder(const char* from, const char* to) {
  char mask[MAX_PATH], source[MAX_PATH], target[MAX_PATH];
  CreateDirectoryA(to, nullptr);
  std::snprintf(mask, sizeof mask, "%s\\*", from);
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(mask, &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if (found.cFileName[0] == '.') continue;
    std::snprintf(source, sizeof source, "%s\\%s", from, found.cFileName);
    std::snprintf(target, sizeof target, "%s\\%s", to, found.cFileName);
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
      CopyFolder(source, target);
    else
      CopyOne(source, to, target, found.ftLastWriteTime);
  } while (FindNextFileA(search, &found));
  FindClose(search);
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  g_setInformation = reinterpret_cast<SetInformationFile>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtSetInformationFile")));
  g_log = CreateFileA(argv[3], GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
  CopyFolder(argv[1], argv[2]);
  return 0;
}
