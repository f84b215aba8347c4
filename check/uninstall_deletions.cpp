#include "check/uninstall_deletions.h"

#include "check/checks.h"
#include "setupengine/destination_dirs.h"
#include "setupengine/inf_file.h"
#include "setupengine/inf_strings.h"
#include "setupengine/install_section.h"
#include "setupengine/uninstall_section.h"

TUninstallDeletions Deletions;

namespace {

TInfFile Inf;

const long kSystemFolder = 11;

// Folder ids whose folders the control file's values can name too.
struct TFolderIdRow {
  long Id;
  const char* Folder;
};

const TFolderIdRow kFolderIds[] = {
    {10, "%windir%"},      {11, "%windir%\\system32"}, {17, "%windir%\\inf"},
    {18, "%windir%\\help"}, {20, "%windir%\\fonts"},
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A %number% reference: a folder the engine takes from the target machine.
bool NamesFolderId(const char* text) {
  for (const char* p = text; *p; ++p) {
    if (*p != '%') continue;
    const char* q = p + 1;
    while (IsDigit(*q)) ++q;
    if (*q == '%' && q > p + 1) return true;
  }
  return false;
}

bool ContainsIgnoreCase(const char* text, const char* part) {
  size_t length = TextLength(part);
  for (const char* p = text; *p; ++p) {
    size_t i = 0;
    while (i < length && p[i] && UpperAscii(p[i]) == UpperAscii(part[i])) ++i;
    if (i == length) return true;
  }
  return false;
}

// The installed copy's [Strings] hold the values the run expanded each
// name to, so every entry reads as its own reference.
void KeepStringsUnexpanded() {
  int strings = FindInfSection(Inf, "Strings");
  if (strings < 0) return;
  for (const TInfLine* line = NextSectionLine(Inf, strings, nullptr); line;
       line = NextSectionLine(Inf, strings, line)) {
    Str name = InfLineKey(Inf, *line);
    if (name.empty() || line->fieldCount == 0) continue;
    int offset = static_cast<int>(Inf.pool.size());
    Inf.pool.append('%').append(name).append('%').append('\0');
    Inf.fields[line->firstField] = offset;
  }
}

Str Field(const TInfLine& line, int number) {
  return SubstituteInfStrings(Inf, InfLineField(Inf, line, number), "");
}

// The folder of a DelFiles list as the control file's values would write
// it; false when only the target machine knows it.
bool ListFolder(const char* list, Str* folder) {
  const TInfLine* line = DestinationDirsLine(Inf, list);
  long id = kSystemFolder;
  Str below;
  if (line) {
    if (NamesFolderId(InfLineField(Inf, *line, 2))) return false;
    if (!ParseInfNumber(Field(*line, 1).c_str(), &id)) return false;
    below = Field(*line, 2);
  }
  if (id == -1 || id == 0xFFFF) {
    *folder = below;
    return !below.empty();
  }
  for (const TFolderIdRow& row : kFolderIds)
    if (row.Id == id) {
      *folder = JoinInfPath(row.Folder, below.c_str());
      return true;
    }
  return false;
}

void AddText(Str* list, int* count, const Str& text) {
  if (*count < MaxDeletedFiles) list[(*count)++] = text;
}

void CollectFileList(const TInfFile&, int list, const char*, const TSectionVisitor&) {
  Str folder;
  bool comparable = ListFolder(InfSectionName(Inf, list), &folder);
  for (const TInfLine* line = NextSectionLine(Inf, list, nullptr); line;
       line = NextSectionLine(Inf, list, line)) {
    Str name = Field(*line, 1);
    if (name.empty()) continue;
    if (comparable && !NamesFolderId(InfLineField(Inf, *line, 1)))
      AddText(Deletions.Files, &Deletions.FileCount, JoinInfPath(folder, name.c_str()));
    else
      AddText(Deletions.NamesAnywhere, &Deletions.NameCount, name);
  }
}

void CollectKey(void*, const TDelRegEntry& entry, const TInfLine&) {
  // A whole root is never taken away, so it covers nothing.
  if (entry.wholeKey && entry.subKey.empty()) return;
  if (Deletions.KeyCount == MaxDeletedKeys) return;
  Deletions.Keys[Deletions.KeyCount++] = TDeletedKey{entry.root, entry.subKey, entry.wholeKey, entry.valueName};
}

// "[section] key: ", or "[section]: " for a line without a key.
Str LineLabel(const TInfLine& line) {
  Str label = Str("[") + InfSectionName(Inf, line.section) + "]";
  if (*InfLineKey(Inf, line)) label += Str(" ") + InfLineKey(Inf, line);
  return label + ": ";
}

void ReportPassedOver(void*, const TInfLine& line, const char* text) {
  Warning(line.lineNumber, LineLabel(line) + "the setup engine passes over this line: " + text);
}

void IgnoreProblem(void*, const TInfLine&, const char*) {}

// The run writes InfPath with a trailing backslash, which joins the next
// line of [Strings] to it when the engine reads the installed copy.
void ReportInfPath(const TInfFile&, int section, const char*, const TSectionVisitor&) {
  for (const TInfLine* line = NextSectionLine(Inf, section, nullptr); line;
       line = NextSectionLine(Inf, section, line))
    for (int i = 1; i <= line->fieldCount; ++i)
      if (ContainsIgnoreCase(InfLineField(Inf, *line, i), "%InfPath%")) {
        Error(line->lineNumber, LineLabel(*line) + "%InfPath% ends in a backslash, which the setup engine reads as a "
                                    "line continuation: name the folder by its id (17: the INF folder)");
        break;
      }
}

void ReportInfPathInReadSections(int section) {
  ReportInfPath(Inf, section, "", TSectionVisitor{});
  int dirs = FindInfSection(Inf, "DestinationDirs");
  if (dirs >= 0) ReportInfPath(Inf, dirs, "", TSectionVisitor{});
  TSectionVisitor quiet{nullptr, nullptr, nullptr, IgnoreProblem};
  VisitDirectiveSections(Inf, section, "DelFiles", "", quiet, ReportInfPath);
  VisitDirectiveSections(Inf, section, "DelReg", "", quiet, ReportInfPath);
}

bool ReadInstalledCopy() {
  TInfError refused;
  if (!ParseInfText(CheckInput.Text, CheckInput.Size, &Inf, &refused)) {
    Warning(refused.lineNumber, Str("the setup engine refuses the installed copy (") + refused.text +
                                    "): the uninstall removes nothing");
    return false;
  }
  if (!HasKnownSignature(Inf, "")) {
    Warning(LineOf("Version", nullptr),
            "[Version] has no Signature of \"$Chicago$\" or \"$Windows NT$\": the setup engine refuses "
            "the installed copy and the uninstall removes nothing");
    return false;
  }
  KeepStringsUnexpanded();
  return true;
}

}  // namespace

bool ReadUninstallDeletions(const char* sectionName, const Str& where, int line) {
  Deletions.FileCount = Deletions.NameCount = Deletions.KeyCount = 0;
  if (!ReadInstalledCopy()) return false;
  int section = InstalledSection(Inf, sectionName);
  if (section < 0) {
    Warning(line, where + "the uninstall runs [" + sectionName +
                      "], which the control file does not have: it removes nothing");
    return false;
  }
  ReportInfPathInReadSections(section);
  TSectionVisitor visitor{nullptr, nullptr, CollectKey, ReportPassedOver};
  VisitDirectiveSections(Inf, section, "DelFiles", "", visitor, CollectFileList);
  VisitDelReg(Inf, section, "", visitor);
  return true;
}

bool SamePath(const char* a, const char* b) {
  for (;;) {
    while (*a == '\\' && a[1] == '\\') ++a;
    while (*b == '\\' && b[1] == '\\') ++b;
    bool aEnds = !*a || (*a == '\\' && !a[1]);
    bool bEnds = !*b || (*b == '\\' && !b[1]);
    if (aEnds || bEnds) return aEnds && bEnds;
    if (UpperAscii(*a) != UpperAscii(*b)) return false;
    ++a, ++b;
  }
}
