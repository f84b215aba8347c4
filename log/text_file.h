// A small buffered text writer over a platform file handle.
//
// Nothing here ends the run: every operation says whether it worked, and the
// error code of the first failure is kept for the message. The log file's
// own rules (what a failure means for the run) live in log_file.h.
#pragma once

#include <cstddef>

#include "platform/platform.h"

class TTextFile {
 public:
  TTextFile() = default;
  TTextFile(const TTextFile&) = delete;
  TTextFile& operator=(const TTextFile&) = delete;
  ~TTextFile();

  // Opens an existing file for writing at its end.
  bool OpenAppend(const char* path);
  // Creates the file empty, replacing a file of that name.
  bool Create(const char* path);

  // Write pieces of text; kept in the buffer until it is full or a line
  // ends. A write to a file that is not open fails.
  bool Write(const char* text);
  bool Write(const char* text, size_t length);
  bool Write(char c);
  // CR LF, and what the buffer holds goes to the file, so that a failure
  // shows at the line that caused it.
  bool WriteLineEnd();
  bool Flush();
  // Writes what is buffered and closes the file. False when no file was
  // open; a file that was open is closed even when its last data could not
  // be written (Flush tells that apart beforehand).
  bool Close();

  bool IsOpen() const { return handle_ != nullptr; }
  // The Win32 error of the last failure, 0 when none happened.
  DWORD LastError() const { return error_; }

 private:
  bool Fail(DWORD error);
  bool OpenWith(const char* path, DWORD creation);

  enum { BufferSize = 1024 };
  // nullptr while closed (not INVALID_HANDLE_VALUE, which is no constant
  // expression): the log's record then needs no code to start empty.
  HANDLE handle_ = nullptr;
  char buffer_[BufferSize] = {};
  size_t used_ = 0;
  DWORD error_ = 0;
};
