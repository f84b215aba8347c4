#include "check/report.h"

#include <cstdio>

namespace {

enum { MaxFindings = 4096 };

struct TFinding {
  TSeverity Severity;
  int Line;
  Str Text;
};

Str ReportedFileName;
TFinding Findings[MaxFindings];
int FindingCount;
int Errors;
int Warnings;
int Dropped;

const char* SeverityName(TSeverity severity) {
  return severity == SeverityError ? "error" : "warning";
}

void PrintFinding(const TFinding& finding) {
  if (finding.Line > 0)
    std::printf("%s:%d: %s: %s\n", ReportedFileName.c_str(), finding.Line,
                SeverityName(finding.Severity), finding.Text.c_str());
  else
    std::printf("%s: %s: %s\n", ReportedFileName.c_str(), SeverityName(finding.Severity),
                finding.Text.c_str());
}

const char* Plural(int count, const char* one, const char* many) {
  return count == 1 ? one : many;
}

}  // namespace

void SetReportedFileName(const char* name) { ReportedFileName = name; }

void Report(TSeverity severity, int line, const Str& text) {
  if (severity == SeverityError)
    ++Errors;
  else
    ++Warnings;
  if (FindingCount == MaxFindings) {
    ++Dropped;
    return;
  }
  Findings[FindingCount++] = TFinding{severity, line, text};
}

void Error(int line, const Str& text) { Report(SeverityError, line, text); }
void Warning(int line, const Str& text) { Report(SeverityWarning, line, text); }

int PrintFindings() {
  // Stable by line: findings of one line keep the order of the checks.
  for (int line = 0, printed = 0; printed < FindingCount; ++line)
    for (int i = 0; i < FindingCount; ++i)
      if (Findings[i].Line == line) PrintFinding(Findings[i]), ++printed;
  if (Dropped) std::printf("%s: %d more findings not shown\n", ReportedFileName.c_str(), Dropped);
  std::printf("%s: %d %s, %d %s\n", ReportedFileName.c_str(), Errors,
              Plural(Errors, "error", "errors"), Warnings, Plural(Warnings, "warning", "warnings"));
  return Errors ? 2 : Warnings ? 1 : 0;
}
