// Placeholders for Win32 functions the emulation does not implement yet.
// Each is a weak symbol: the real implementation in its own file wins.
// This file shrinks as the emulation grows; it goes when it is empty.
#include "platform/posix/machine_posix.h"
#include "platform/platform.h"

#include <unistd.h>

#define PLACEHOLDER __attribute__((weak))

extern "C" {

PLACEHOLDER DWORD FormatMessageA(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId, LPSTR buffer, DWORD size, void* arguments) { return 0; }
PLACEHOLDER HLOCAL LocalFree(HLOCAL mem) { return 0; }
PLACEHOLDER BOOL CopyFileA(LPCSTR existingFile, LPCSTR newFile, BOOL failIfExists) { return 0; }
PLACEHOLDER BOOL DeleteFileA(LPCSTR fileName) { return 0; }
PLACEHOLDER DWORD GetFileAttributesA(LPCSTR fileName) { return 0; }
PLACEHOLDER BOOL SetFileAttributesA(LPCSTR fileName, DWORD attributes) { return 0; }
PLACEHOLDER HANDLE FindFirstFileA(LPCSTR pattern, LPWIN32_FIND_DATAA findData) { return INVALID_HANDLE_VALUE; }
PLACEHOLDER BOOL FindNextFileA(HANDLE find, LPWIN32_FIND_DATAA findData) { return 0; }
PLACEHOLDER BOOL FindClose(HANDLE find) { return 0; }
PLACEHOLDER BOOL CreateDirectoryA(LPCSTR path, LPSECURITY_ATTRIBUTES security) { return 0; }
PLACEHOLDER HANDLE CreateFileA(LPCSTR fileName, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES security, DWORD creation, DWORD flags, HANDLE templateFile) { return INVALID_HANDLE_VALUE; }
PLACEHOLDER BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, LPDWORD read, void* overlapped) { return 0; }
PLACEHOLDER BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD toWrite, LPDWORD written, void* overlapped) { return 0; }
PLACEHOLDER DWORD SetFilePointer(HANDLE file, LONG distance, PLONG distanceHigh, DWORD method) { return 0; }
PLACEHOLDER DWORD GetFileSize(HANDLE file, LPDWORD sizeHigh) { return 0; }
PLACEHOLDER BOOL FlushFileBuffers(HANDLE file) { return 0; }
PLACEHOLDER BOOL CloseHandle(HANDLE object) { return 0; }
PLACEHOLDER BOOL GetFileTime(HANDLE file, LPFILETIME creation, LPFILETIME lastAccess, LPFILETIME lastWrite) { return 0; }
PLACEHOLDER BOOL SetFileTime(HANDLE file, const FILETIME* creation, const FILETIME* lastAccess, const FILETIME* lastWrite) { return 0; }
PLACEHOLDER BOOL FileTimeToDosDateTime(const FILETIME* fileTime, WORD* fatDate, WORD* fatTime) { return 0; }
PLACEHOLDER LONG CompareFileTime(const FILETIME* first, const FILETIME* second) { return 0; }
PLACEHOLDER DWORD GetShortPathNameA(LPCSTR longPath, LPSTR shortPath, DWORD size) { return 0; }
PLACEHOLDER DWORD SearchPathA(LPCSTR path, LPCSTR fileName, LPCSTR extension, DWORD size, LPSTR buffer, LPSTR* filePart) { return 0; }
PLACEHOLDER BOOL SetCurrentDirectoryA(LPCSTR path) { return 0; }
PLACEHOLDER DWORD GetCurrentDirectoryA(DWORD size, LPSTR buffer) { return 0; }
PLACEHOLDER UINT GetWindowsDirectoryA(LPSTR buffer, UINT size) { return 0; }
PLACEHOLDER UINT GetSystemDirectoryA(LPSTR buffer, UINT size) { return 0; }
PLACEHOLDER DWORD GetTempPathA(DWORD size, LPSTR buffer) { return 0; }
PLACEHOLDER void GetSystemTimeAsFileTime(LPFILETIME time) {}

}  // extern "C"
namespace posix {
PLACEHOLDER std::string HostToWin(const std::string& hostPath) {
  std::string w = "Z:" + hostPath;
  for (char& c : w) if (c == '/') c = '\\';
  return w;
}
PLACEHOLDER std::string FullWinPath(const char* winPath) { return winPath ? winPath : ""; }
PLACEHOLDER bool WinToHost(const char* winPath, std::string* hostPath) {
  std::string w = winPath ? winPath : "";
  if (w.size() < 2 || w[1] != ':') return false;
  char d = w[0] | 0x20;
  std::string h = d == 'z' ? std::string() : MachineRoot() + "/drive_" + std::string(1, d);
  for (size_t i = 2; i < w.size(); ++i) h += w[i] == '\\' ? '/' : w[i];
  *hostPath = h.empty() ? "/" : h;
  return true;
}
PLACEHOLDER std::string WindowsDirectory() { return "C:\\WINDOWS"; }
PLACEHOLDER DWORD HostAttributes(const std::string&) { return INVALID_FILE_ATTRIBUTES; }
PLACEHOLDER bool SetHostAttributes(const std::string&, DWORD) { return false; }
PLACEHOLDER DWORD Win32ErrorFromErrno(int) { return ERROR_ACCESS_DENIED; }
}
namespace platform {
PLACEHOLDER void ExitProcessNow(unsigned code) { _exit(static_cast<int>(code)); }
}
