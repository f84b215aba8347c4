// The kernel objects of the POSIX emulation: last errors and results, handles
// and sharing, the ANSI code page, times, program search and date pictures.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>

#include "platform/posix/win32_api_posix.h"

namespace posix {

// ---- last error (errors_posix.cpp) ----
// SetLastError/GetLastError are the Win32 functions themselves.
// Maps an errno value to the Win32 error code Windows gives in that case.
DWORD Win32ErrorFromErrno(int err);

// ---- results of the A functions (errors_posix.cpp) ----

// Sets the last error and returns FALSE, the common way a call fails.
BOOL FailWith(DWORD error);
// The same for calls whose failure is a result of 0.
DWORD FailWithZero(DWORD error);
// Copies text into a caller's buffer as the Get...Directory family does:
// the length without the NUL when it fits, otherwise the size needed with
// the NUL and the buffer untouched.
DWORD CopyOutText(const std::string& text, char* buffer, DWORD size);

// ---- date and time (files/file_time_posix.cpp) ----

// Host time (seconds since 1970 and nanoseconds) as a Win32 FILETIME.
FILETIME FileTimeFromUnix(int64_t seconds, long nanoseconds);
void UnixFromFileTime(const FILETIME& ft, int64_t* seconds, long* nanoseconds);
uint64_t FileTimeValue(const FILETIME& ft);
FILETIME FileTimeOfValue(uint64_t value);

// ---- handles (handles_posix.cpp) ----

// An object behind a HANDLE. Each kind derives from it and releases what it
// holds in its destructor.
class HandleObject {
 public:
  virtual ~HandleObject() = default;
};

// Enters an object (taking ownership) and returns its new handle.
HANDLE NewHandle(HandleObject* object);
// The object of a handle, nullptr for a handle that is not open.
HandleObject* ObjectOfHandle(HANDLE handle);
template <class T>
T* HandleAs(HANDLE handle) {
  return dynamic_cast<T*>(ObjectOfHandle(handle));
}
// Destroys the object and frees the handle; false when it was not open.
bool CloseHandleObject(HANDLE handle);

// ---- sharing of open files within the process (sharing_posix.cpp) ----

// Windows refuses to open a file in a way that another open handle does not
// share (ERROR_SHARING_VIOLATION). Access and share use the Win32 bits
// (GENERIC_READ, GENERIC_WRITE, DELETE; FILE_SHARE_*).
constexpr DWORD kDeleteAccess = 0x00010000;
// Registers an open of the file (dev, ino); returns 0 when it conflicts
// with an open already registered, else an id for ForgetOpen.
int RegisterOpen(dev_t dev, ino_t ino, DWORD access, DWORD share);
void ForgetOpen(int id);
// True when no open handle of the file forbids that access; the open
// `exceptId` (a handle asking about its own file) does not count.
bool AccessShared(dev_t dev, ino_t ino, DWORD access, int exceptId = 0);
// True when the process holds any handle of the file open.
bool IsOpenHere(dev_t dev, ino_t ino);

// ---- the ANSI code page (ansi_codepage_posix.cpp) ----

// The Unicode character of one byte; bytes the code page leaves undefined
// stand for U+0080..U+009F, as Windows maps them.
uint16_t CodePointFromAnsi(unsigned char c);
// The byte of a Unicode character; '?' for one the code page lacks, as
// WideCharToMultiByte puts its default character.
char AnsiFromCodePoint(uint32_t c);
// UTF-16LE bytes as ANSI text; an odd last byte is dropped.
std::string AnsiFromUtf16(const std::string& utf16le);
// Upper case as Windows folds names: the ASCII and accented Latin letters
// and the few letters in 0x80..0x9F.
unsigned char UpperAnsi(unsigned char c);

// ---- program search (program_search_posix.cpp) ----

struct ProgramCall {
  std::string program;    // full Windows path of the program file
  std::string arguments;  // the command line behind the program's name
};

// Without an application name the program is the command line's first
// token: in quotes, or else the shortest blank-separated start of the line
// that names an existing file ("C:\Program Files\x.exe" tries "C:\Program"
// first). ".exe" is added to a name without extension. A name without a
// path is searched in the program's own folder, the current folder, the
// system folder, the 16-bit system folder, the Windows folder and PATH.
// Returns false when no such file exists.
bool FindProgramCall(const char* applicationName, const char* commandLine, ProgramCall* call);

}  // namespace posix

// ---- date and time pictures (date_picture_posix.cpp) ----

// Appends the date and/or time of t to text as the picture says. Picture
// elements (as in the Win32 locale pictures): d dd ddd dddd (day, two digits,
// short and full English day name), M MM MMM MMMM (month likewise), y yy
// (year in two digits, the first without a leading zero), yyy and more (the
// full year), h hh (12-hour clock), H HH (24-hour clock), m mm, s ss, t (first
// character of the AM or PM designator), tt (the whole designator). Text in
// single quotes is taken literally ('' inside gives one quote); every other
// character is copied as it stands. The day name is computed from the date, so
// t.wDayOfWeek is not needed.
void AppendDateTimePicture(std::string& text, const SYSTEMTIME& t, const char* picture,
                           const char* am, const char* pm);
