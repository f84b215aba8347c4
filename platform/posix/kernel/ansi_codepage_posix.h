// The ANSI code page of the simulated machine: 1252, Western European. The A
// functions see text in it; Unicode (file names on the host, UTF-16 data)
// is converted through here.
#pragma once

#include <cstdint>
#include <string>

namespace posix {

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

}  // namespace posix
