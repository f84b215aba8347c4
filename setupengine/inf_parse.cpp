// The setup engine's INF syntax, which differs from the profile functions':
// fields split at commas, quotes group text (a doubled quote is one quote),
// ';' starts a comment outside quotes, a backslash that ends a line joins the
// next line to it, blanks around a field are dropped, and text before the
// first section makes the whole file unusable.
#include "setupengine/inf_file.h"

namespace {

const char kEndOfFile = 0x1A;  // Ctrl-Z ends the text, as in DOS files

struct TScan {
  const char* at;
  const char* end;
  int lineNumber;
};

bool AtLineEnd(const TScan& scan) {
  return scan.at >= scan.end || *scan.at == '\n' || *scan.at == kEndOfFile;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }

void SkipToLineEnd(TScan* scan) {
  while (!AtLineEnd(*scan)) ++scan->at;
}

// Steps over the line break; false at the end of the text.
bool NextLine(TScan* scan) {
  if (scan->at >= scan->end || *scan->at == kEndOfFile) return false;
  ++scan->at;
  ++scan->lineNumber;
  return true;
}

int AddText(TInfFile* inf, const char* text, size_t length) {
  int offset = static_cast<int>(inf->pool.size());
  inf->pool.append(text, length);
  inf->pool.append('\0');
  return offset;
}

bool Fail(TInfError* error, int lineNumber, const char* text) {
  error->lineNumber = lineNumber;
  error->text = text;
  return false;
}

bool ParseSectionHeader(TScan* scan, TInfFile* inf, int* section, TInfError* error) {
  const char* name = ++scan->at;
  while (!AtLineEnd(*scan) && *scan->at != ']') ++scan->at;
  if (AtLineEnd(*scan)) return Fail(error, scan->lineNumber, "a section name without ']'");
  size_t length = static_cast<size_t>(scan->at - name);
  if (length > static_cast<size_t>(kMaxInfSectionName))
    return Fail(error, scan->lineNumber, "a section name longer than 255 characters");
  Str text(name, length);
  int existing = FindInfSection(*inf, text.c_str());
  if (existing >= 0) {
    *section = existing;  // the lines that follow join the earlier section
  } else {
    if (inf->sectionCount == kMaxInfSections) return Fail(error, scan->lineNumber, "too many sections");
    inf->sectionName[inf->sectionCount] = AddText(inf, name, length);
    *section = inf->sectionCount++;
  }
  SkipToLineEnd(scan);  // whatever follows the ']' is passed over
  return true;
}

// One field being read: its text, and blanks held back until more text
// shows that they lie inside the field rather than after it.
struct TFieldText {
  Str text;
  Str blanks;
  bool started = false;
  void start() {
    if (started) text.append(blanks);
    blanks.clear();
    started = true;
  }
  void add(char c) {
    start();
    text.append(c);
  }
  void reset() {
    text.clear();
    blanks.clear();
    started = false;
  }
};

// After a backslash: true (and on the next line's first character) when only
// blanks, more backslashes or a comment follow it on its line.
bool ContinuesLine(TScan* scan) {
  const char* p = scan->at + 1;
  while (p < scan->end && (IsBlank(*p) || *p == '\\')) ++p;
  if (p < scan->end && *p == ';')
    while (p < scan->end && *p != '\n' && *p != kEndOfFile) ++p;
  if (p >= scan->end || *p == kEndOfFile) {
    scan->at = p;
    return true;
  }
  if (*p != '\n') return false;
  scan->at = p + 1;
  ++scan->lineNumber;
  while (scan->at < scan->end && IsBlank(*scan->at)) ++scan->at;
  return true;
}

void ReadQuoted(TScan* scan, TFieldText* field) {
  ++scan->at;
  field->start();
  while (!AtLineEnd(*scan)) {
    char c = *scan->at++;
    if (c != '"') {
      field->text.append(c);
    } else if (scan->at < scan->end && *scan->at == '"') {
      field->text.append('"');
      ++scan->at;
    } else {
      return;
    }
  }
}

bool AddField(TInfFile* inf, TFieldText* field, TInfLine* line, int lineNumber, TInfError* error) {
  if (inf->fieldCount == kMaxInfFields) return Fail(error, lineNumber, "too many fields");
  inf->fields[inf->fieldCount++] = AddText(inf, field->text.c_str(), field->text.size());
  ++line->fieldCount;
  field->reset();
  return true;
}

bool ParseEntry(TScan* scan, TInfFile* inf, int section, TInfError* error) {
  if (section < 0) return Fail(error, scan->lineNumber, "a line before the first section");
  if (inf->lineCount == kMaxInfLines) return Fail(error, scan->lineNumber, "too many lines");
  TInfLine* line = &inf->lines[inf->lineCount];
  line->section = section;
  line->lineNumber = scan->lineNumber;
  line->key = -1;
  line->firstField = inf->fieldCount;
  line->fieldCount = 0;
  TFieldText field;
  bool inKey = true;
  for (;;) {
    if (AtLineEnd(*scan) || *scan->at == ';') break;
    char c = *scan->at;
    if (c == '"') {
      ReadQuoted(scan, &field);
    } else if (c == '\\' && ContinuesLine(scan)) {
      field.blanks.clear();
    } else if (c == '=' && inKey) {
      line->key = AddText(inf, field.text.c_str(), field.text.size());
      field.reset();
      inKey = false;
      ++scan->at;
    } else if (c == ',') {
      if (!AddField(inf, &field, line, line->lineNumber, error)) return false;
      inKey = false;
      ++scan->at;
    } else if (IsBlank(c)) {
      field.blanks.append(c);
      ++scan->at;
    } else {
      field.add(c);
      ++scan->at;
    }
  }
  if (!AddField(inf, &field, line, line->lineNumber, error)) return false;
  SkipToLineEnd(scan);
  inf->lineCount++;
  return true;
}

// A UTF-16LE text as the ANSI text the engine's A functions would see; only
// the first 256 code points survive, others become '?'.
Str AnsiFromUtf16(const char* text, size_t length) {
  Str ansi;
  for (size_t i = 2; i + 1 < length; i += 2) {
    unsigned char low = static_cast<unsigned char>(text[i]);
    ansi.append(text[i + 1] == 0 ? static_cast<char>(low) : '?');
  }
  return ansi;
}

bool StartsWith(const char* text, size_t length, const char* bytes, size_t count) {
  if (length < count) return false;
  for (size_t i = 0; i < count; ++i)
    if (text[i] != bytes[i]) return false;
  return true;
}

}  // namespace

bool ParseInfText(const char* text, size_t length, TInfFile* inf, TInfError* error) {
  inf->pool.clear();
  inf->sectionCount = inf->lineCount = inf->fieldCount = 0;
  Str converted;
  if (StartsWith(text, length, "\xFF\xFE", 2)) {
    converted = AnsiFromUtf16(text, length);
    text = converted.c_str();
    length = converted.size();
  } else if (StartsWith(text, length, "\xEF\xBB\xBF", 3)) {
    text += 3;
    length -= 3;
  }
  TScan scan{text, text + length, 1};
  int section = -1;
  do {
    while (!AtLineEnd(scan) && IsBlank(*scan.at)) ++scan.at;
    if (AtLineEnd(scan)) continue;
    if (*scan.at == ';') {
      SkipToLineEnd(&scan);
    } else if (*scan.at == '[') {
      if (!ParseSectionHeader(&scan, inf, &section, error)) return false;
    } else if (!ParseEntry(&scan, inf, section, error)) {
      return false;
    }
  } while (NextLine(&scan));
  return true;
}
