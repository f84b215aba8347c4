// FormatMessageA over the system message table, and LocalFree for the
// buffers it allocates. The escapes and the line width follow Windows:
//   width 0      the text's own line ends are kept (each CR, LF or CR LF
//                becomes CR LF);
//   width 0xFF   every line end of the text becomes a blank, no new ones;
//   width N      the same, and lines are broken before they reach N
//                characters: at the last run of blanks of the line, which
//                the break replaces, or in the middle of a word longer than
//                the line;
// and "%n" is a line end in every case.
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/posix/kernel/kernel_posix.h"

namespace posix {

const char* SystemMessageText(DWORD code);

namespace {

class MessageWriter {
 public:
  explicit MessageWriter(DWORD width) : width_(width) {}

  void Character(char c) {
    out_ += c;
    if (width_ != 0 && width_ != FORMAT_MESSAGE_MAX_WIDTH_MASK && out_.size() - lineStart_ >= width_) Break();
  }
  void HardBreak(const char* text) {
    out_ += text;
    lineStart_ = out_.size();
  }
  void Literal(const std::string& text) {
    for (char c : text) Character(c);
  }
  const std::string& text() const { return out_; }

 private:
  // The line is full: it ends at its last run of blanks, or here.
  void Break() {
    size_t blank = out_.find_last_of(' ');
    if (blank == std::string::npos || blank < lineStart_) {
      HardBreak("\r\n");
      return;
    }
    size_t runStart = blank;
    while (runStart > lineStart_ && out_[runStart - 1] == ' ') --runStart;
    out_.replace(runStart, blank + 1 - runStart, "\r\n");
    lineStart_ = runStart + 2;
  }

  DWORD width_;
  std::string out_;
  size_t lineStart_ = 0;
};

// Copies an insert such as "%1" or "%12!d!" unchanged.
size_t KeepInsert(const char* text, size_t i, MessageWriter* writer) {
  size_t end = i + 1;
  while (text[end] >= '0' && text[end] <= '9') ++end;
  if (text[end] == '!') {
    const char* close = std::strchr(text + end + 1, '!');
    if (close) end = close - text + 1;
  }
  writer->Literal(std::string(text + i, end - i));
  return end;
}

std::string FormatText(const char* text, DWORD width) {
  MessageWriter writer(width);
  for (size_t i = 0; text[i];) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      i += (c == '\r' && text[i + 1] == '\n') ? 2 : 1;
      if (width == 0) writer.HardBreak("\r\n");
      else writer.Character(' ');
      continue;
    }
    if (c != '%') {
      writer.Character(c);
      ++i;
      continue;
    }
    char next = text[i + 1];
    if (next == '\0' || next == '0') break;  // "%0" ends the message without a line end
    if (next >= '1' && next <= '9') {
      i = KeepInsert(text, i, &writer);
      continue;
    }
    if (next == 'n') writer.HardBreak("\r\n");
    else if (next == 'r') writer.HardBreak("\r");
    else if (next == 't') writer.Character('\t');
    else writer.Character(next);  // "%%", "%.", "%!", "% "
    i += 2;
  }
  return writer.text();
}

}  // namespace
}  // namespace posix

extern "C" DWORD FormatMessageA(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId,
                                LPSTR buffer, DWORD size, void* arguments) {
  const char* text = nullptr;
  if (flags & FORMAT_MESSAGE_FROM_STRING) text = static_cast<const char*>(source);
  else if (flags & FORMAT_MESSAGE_FROM_SYSTEM) text = posix::SystemMessageText(messageId);
  else return posix::FailWithZero(ERROR_INVALID_PARAMETER);
  if (!text) return posix::FailWithZero(ERROR_MR_MID_NOT_FOUND);
  if (!buffer) return posix::FailWithZero(ERROR_INVALID_PARAMETER);
  // Inserts are not filled in: the emulation's callers pass IGNORE_INSERTS,
  // and the system texts they ask for have none.
  std::string message = posix::FormatText(text, flags & FORMAT_MESSAGE_MAX_WIDTH_MASK);
  DWORD length = static_cast<DWORD>(message.size());
  if (flags & FORMAT_MESSAGE_ALLOCATE_BUFFER) {
    size_t bytes = length + 1 > size ? length + 1 : size;
    char* allocated = static_cast<char*>(std::malloc(bytes));
    if (!allocated) return posix::FailWithZero(ERROR_NOT_ENOUGH_MEMORY);
    std::memcpy(allocated, message.c_str(), length + 1);
    *reinterpret_cast<char**>(buffer) = allocated;
    return length;
  }
  if (size < length + 1) return posix::FailWithZero(ERROR_INSUFFICIENT_BUFFER);
  std::memcpy(buffer, message.c_str(), length + 1);
  return length;
}

extern "C" HLOCAL LocalFree(HLOCAL mem) {
  std::free(mem);
  return nullptr;
}
