// Reads the version text and the string values of arbitrary files through
// ReadVersionInfo: the text is one of the shapes FormatVersionText gives and
// fits its buffer; the translation text of any entry is 8 hex digits.
#include <cstring>
#include <string>

#include "fileinfo/file_info.h"
#include "fileinfo/version_text.h"
#include "tests/fuzz/fuzz_machine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size >= 8) {
    uint32_t ms, ls;
    memcpy(&ms, data, 4);
    memcpy(&ls, data + 4, 4);
    char text[VersionTextSize], translation[TranslationTextSize], table[9];
    fuzz::Check(strlen(FormatVersionText(ms, ls, text)) < VersionTextSize, "version text");
    fuzz::Check(strlen(FormatTranslationText(ms, translation)) == 8, "translation text");
    StringTableName(translation, table);
    fuzz::Check(strlen(table) == 8, "table name");
    fuzz::Check(VersionNumberFromProductMS(ms) >= 0, "negative version number");
  }
  const std::string path = fuzz::InputFile("version.dll", data, size);
  Str versionText;
  if (ReadVersionInfo(path.c_str(), versionText) < 0) return 0;
  fuzz::Check(versionText.size() < VersionTextSize, "version text too long");
  fuzz::Check(VersionInfo.Translation.empty() || VersionInfo.Translation.size() == 8, "translation");
  return 0;
}
