// The encodings of a profile file as Windows tells them apart: a file that
// begins with the UTF-16LE byte-order mark (FF FE) is a Unicode profile,
// read and written back in UTF-16LE, the A functions seeing it in the ANSI
// code page; every other file is ANSI text. A UTF-8 byte-order mark is not
// recognised: its three bytes are text of the first line, so a section
// header on that line is no header (its keys cannot be found) and one on a
// later line is unaffected. Sources: Tera Term's developer notes on the
// profile API of Windows 10 and 11 (doc/en/html/reference/dev/win32api.html
// in its source tree: "If the file has a UTF-16LE BOM (0xff 0xfe) at the
// beginning, the ini file is a Unicode file"), and Thomas Weller's answer
// to "How do WritePrivateProfileStringA() and Unicode go together?" on
// Stack Overflow, tested on Windows 10 21H1 (as copied at
// https://codepudding.com/Backend/239803.html): "Both methods will not
// recognize and respect a UTF-8 BOM. In fact, a UTF-8 BOM can break an
// existing file if the UTF-8 BOM and the first section are both in line 1
// ... If the first section is in line 2, the UTF-8 BOM will have no
// effect", and a byte-swapped mark is not taken for UTF-16BE. Wine differs
// here: it skips a UTF-8 mark and reads the file as UTF-8.
#include "platform/posix/kernel/kernel_posix.h"
#include "platform/posix/links/links_posix.h"
#include "platform/posix/profile/profile_posix.h"

namespace posix {
namespace {
const char kUtf16Mark[] = "\xFF\xFE";
}

bool DecodeProfileText(std::string* text) {
  if (text->compare(0, 2, kUtf16Mark) != 0) return false;
  *text = AnsiFromUtf16(text->substr(2));
  return true;
}

std::string EncodeProfileText(const std::string& ansi, bool utf16) {
  if (!utf16) return ansi;
  return std::string(kUtf16Mark) + Utf16FromAnsi(ansi);
}

}  // namespace posix
