#include "log/text_file.h"

#include <cstring>

TTextFile::~TTextFile() { Close(); }

bool TTextFile::Fail(DWORD error) {
  error_ = error ? error : ERROR_CANTWRITE;
  return false;
}

bool TTextFile::OpenWith(const char* path, DWORD creation) {
  Close();
  error_ = 0;
  // Readers may look at the log while the run still writes it.
  HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, creation, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return Fail(GetLastError());
  handle_ = file;
  return true;
}

bool TTextFile::OpenAppend(const char* path) {
  if (!OpenWith(path, OPEN_EXISTING)) return false;
  SetLastError(NO_ERROR);
  if (SetFilePointer(handle_, 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER &&
      GetLastError() != NO_ERROR) {
    DWORD error = GetLastError();
    CloseHandle(handle_);
    handle_ = nullptr;
    return Fail(error);
  }
  return true;
}

bool TTextFile::Create(const char* path) { return OpenWith(path, CREATE_ALWAYS); }

bool TTextFile::Write(const char* text) { return Write(text, strlen(text)); }

bool TTextFile::Write(const char* text, size_t length) {
  if (!IsOpen()) return Fail(ERROR_INVALID_HANDLE);
  while (length > 0) {
    if (used_ == BufferSize && !Flush()) return false;
    size_t room = BufferSize - used_;
    size_t piece = length < room ? length : room;
    memcpy(buffer_ + used_, text, piece);
    used_ += piece;
    text += piece;
    length -= piece;
  }
  return true;
}

bool TTextFile::Write(char c) { return Write(&c, 1); }

bool TTextFile::WriteLineEnd() { return Write("\r\n", 2) && Flush(); }

bool TTextFile::Flush() {
  if (!IsOpen()) return Fail(ERROR_INVALID_HANDLE);
  size_t done = 0;
  while (done < used_) {
    DWORD written = 0;
    DWORD wanted = static_cast<DWORD>(used_ - done);
    if (!WriteFile(handle_, buffer_ + done, wanted, &written, nullptr)) {
      DWORD error = GetLastError();
      used_ = 0;  // what could not be written is given up, as a disk refusing it would
      return Fail(error);
    }
    // A write that takes nothing without an error is a full disk.
    if (written == 0) {
      used_ = 0;
      return Fail(ERROR_DISK_FULL);
    }
    done += written;
  }
  used_ = 0;
  return true;
}

bool TTextFile::Close() {
  if (!IsOpen()) return false;
  Flush();
  CloseHandle(handle_);
  handle_ = nullptr;
  used_ = 0;
  return true;
}
