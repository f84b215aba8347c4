// The file as a whole: encoding, NUL bytes, the signature, duplicate keys
// and section names that are almost one the installer reads.
#include <cstring>

#include "check/checks.h"
#include "setup/control_file_location.h"

namespace {

const char* const KnownSections[] = {"Version",  "Info",       "Strings",           "Files",
                                     "RegRead",  "RegWrite",   "RegWriteUninstall", "SetMnuLNK",
                                     "IniWrite", "DestinationDirs"};

bool StartsWith(const char* text, size_t size, const char* prefix, size_t length) {
  return size >= length && std::memcmp(text, prefix, length) == 0;
}

void CheckEncoding() {
  const char* text = CheckInput.Text;
  size_t size = CheckInput.Size;
  if (StartsWith(text, size, "\xFF\xFE", 2) || StartsWith(text, size, "\xFE\xFF", 2))
    Error(1, "UTF-16 text: write the control file as ANSI text; the installer reads it "
             "differently on Windows and in the native build");
  else if (StartsWith(text, size, "\xEF\xBB\xBF", 3))
    Warning(1, "UTF-8 byte-order mark: Windows may read the first line's name with it; "
               "write the control file as ANSI text");
  if (CheckInput.Index->FirstNulLine)
    Error(CheckInput.Index->FirstNulLine, "NUL byte: the text after it is not read as written");
}

void CheckSignatureLine() {
  if (CheckSignature(CheckInput.Path)) return;
  Error(LineOf("Version", "FormKw"),
        "[Version] FormKw does not hold \"TALVEN\" within its first 30 characters: "
        "the installer refuses this file");
}

void CheckDuplicateKeys() {
  const TLineIndex& index = *CheckInput.Index;
  for (int i = 0; i < index.KeyCount; ++i) {
    const TIndexedKey& key = index.Keys[i];
    if (key.Line == key.FirstLine) continue;
    Str text = Str("duplicate key \"") + key.Name + "\" in [" + index.Sections[key.Section].Name +
               "]: only the first, on line ";
    Warning(key.Line, text.appendNumber(key.FirstLine).append(", counts"));
  }
}

// Levenshtein distance of two short names, case ignored, capped at 3.
int Distance(const char* a, const char* b) {
  enum { Max = 64 };
  size_t la = std::strlen(a), lb = std::strlen(b);
  if (la >= Max || lb >= Max) return 3;
  int row[Max + 1];
  for (size_t j = 0; j <= lb; ++j) row[j] = static_cast<int>(j);
  for (size_t i = 1; i <= la; ++i) {
    int diagonal = row[0];
    row[0] = static_cast<int>(i);
    for (size_t j = 1; j <= lb; ++j) {
      int above = row[j];
      int cost = UpperAscii(a[i - 1]) == UpperAscii(b[j - 1]) ? 0 : 1;
      int best = diagonal + cost;
      if (above + 1 < best) best = above + 1;
      if (row[j - 1] + 1 < best) best = row[j - 1] + 1;
      row[j] = best;
      diagonal = above;
    }
  }
  return row[lb] < 3 ? row[lb] : 3;
}

const char* CloseKnownSection(const char* name) {
  for (const char* known : KnownSections)
    if (EqualsIgnoreCase(name, known)) return nullptr;
  for (const char* known : KnownSections)
    if (Distance(name, known) <= 2) return known;
  return nullptr;
}

void CheckSectionNames() {
  const TLineIndex& index = *CheckInput.Index;
  for (int i = 0; i < index.SectionCount; ++i) {
    const char* name = index.Sections[i].Name.c_str();
    if (const char* known = CloseKnownSection(name))
      Warning(index.Sections[i].Line, Str("section [") + name +
                                          "] is not read by the installer: did you mean [" +
                                          known + "]?");
  }
}

}  // namespace

void CheckFileForm() {
  CheckEncoding();
  CheckSignatureLine();
  CheckDuplicateKeys();
  CheckSectionNames();
  if (CheckInput.Index->Truncated)
    Warning(0, "more sections or keys than the checker indexes; later lines are not checked "
               "for duplicates");
}
