// InstallHinfSection on the machine: the uninstall sections' DelFiles and
// DelReg, everything else reported as not carried out.
#include "setupengine/run_hinf_section.h"

#include "common/system_message.h"
#include "platform/platform.h"
#include "setupengine/inf_file.h"
#include "setupengine/inf_load.h"
#include "setupengine/inf_strings.h"
#include "setupengine/install_section.h"
#include "setupengine/uninstall_section.h"

namespace {

struct TRun {
  Str infPath;
  Str infDir;
};

void Report(const Str& text) {
  platform::WriteStandardError(("setup engine: " + text + "\n").c_str());
}

Str LineText(const TRun& run, const TInfLine& line) {
  Str text = run.infPath;
  return text.append(':').appendNumber(line.lineNumber).append(": ");
}

Str ReasonOf(unsigned long error) { return SystemReasonOrNumber(static_cast<DWORD>(error)); }

void DeleteListedFile(void* context, const char* path, const TInfLine& line) {
  if (DeleteFileA(path)) return;
  unsigned long error = GetLastError();
  // A file that is not there is what the uninstall wants.
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return;
  Report(LineText(*static_cast<TRun*>(context), line) + "cannot delete " + path + ": " + ReasonOf(error));
}

void DeleteListedKey(void* context, const TDelRegEntry& entry, const TInfLine& line) {
  const TRun& run = *static_cast<TRun*>(context);
  Str name = Str(entry.rootName) + "\\" + entry.subKey;
  LONG status;
  if (entry.wholeKey) {
    // An empty key path would name the whole root: nothing the engine
    // should ever take away.
    if (entry.subKey.empty()) {
      Report(LineText(run, line) + "a whole root key is not deleted");
      return;
    }
    status = RegDeleteTreeA(entry.root, entry.subKey.c_str());
  } else {
    HKEY key;
    status = RegOpenKeyExA(entry.root, entry.subKey.c_str(), 0, KEY_SET_VALUE, &key);
    if (status == ERROR_SUCCESS) {
      status = RegDeleteValueA(key, entry.valueName.c_str());
      RegCloseKey(key);
    }
    name += " " + entry.valueName;
  }
  if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) return;
  Report(LineText(run, line) + "cannot delete " + name + ": " + ReasonOf(static_cast<unsigned long>(status)));
}

void ReportProblem(void* context, const TInfLine& line, const char* text) {
  Report(LineText(*static_cast<TRun*>(context), line) + text);
}

void ReportOtherDirectives(const TRun& run, const TInfFile& inf, int section) {
  for (const TInfLine* line = NextSectionLine(inf, section, nullptr); line;
       line = NextSectionLine(inf, section, line)) {
    const char* key = InfLineKey(inf, *line);
    if (EqualsIgnoreCase(key, "DelFiles") || EqualsIgnoreCase(key, "DelReg")) continue;
    Report(LineText(run, *line) + "[" + InfSectionName(inf, section) + "] " + key +
           "= is not carried out on the simulated machine");
  }
}

// A bare file name lies in the Windows INF folder.
Str FullInfPath(const char* path) {
  for (const char* p = path; *p; ++p)
    if (*p == '\\' || *p == ':' || *p == '/') return path;
  Str infFolder;
  DirIdPath(17, "", &infFolder);
  return JoinInfPath(infFolder, path);
}

bool LoadInf(const TRun& run, TInfFile* inf) {
  Str text;
  unsigned long error;
  if (!ReadWholeFile(run.infPath.c_str(), &text, &error)) {
    Report("cannot open " + run.infPath + ": " + ReasonOf(error));
    return false;
  }
  TInfError refused;
  if (!ParseInfText(text.c_str(), text.size(), inf, &refused)) {
    Report(run.infPath + ":" + Str().appendNumber(refused.lineNumber) + ": " + refused.text);
    return false;
  }
  if (HasKnownSignature(*inf, run.infDir.c_str())) return true;
  Report(run.infPath + ": no [Version] Signature of \"$Chicago$\" or \"$Windows NT$\": the file is refused");
  return false;
}

bool RunSection(const TRun& run, const TInfFile& inf, const char* sectionName) {
  int section = InstalledSection(inf, sectionName);
  if (section < 0) {
    Report(run.infPath + ": no section [" + sectionName + "]");
    return false;
  }
  ReportOtherDirectives(run, inf, section);
  TSectionVisitor visitor{const_cast<TRun*>(&run), DeleteListedFile, DeleteListedKey, ReportProblem};
  // The engine commits its file queue before it changes the registry.
  VisitDelFiles(inf, section, run.infDir.c_str(), visitor);
  VisitDelReg(inf, section, run.infDir.c_str(), visitor);
  return true;
}

}  // namespace

bool RunHinfSection(const THinfCommand& command) {
  TRun run;
  run.infPath = FullInfPath(command.infPath);
  long cut = run.infPath.findLast('\\');
  run.infDir = cut < 0 ? Str() : run.infPath.substr(0, static_cast<size_t>(cut));
  TInfFile* inf = new TInfFile;
  bool ran = LoadInf(run, inf) && RunSection(run, *inf, command.section);
  delete inf;
  return ran;
}
