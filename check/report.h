// How every check reports: one line like a compiler's, in file order.
#pragma once

#include "common/str.h"

enum TSeverity { SeverityWarning, SeverityError };

// The control file's name as the findings show it, set once by main.
void SetReportedFileName(const char* name);

// Records "NAME:LINE: error: text" (line 0: "NAME: error: text"). Findings
// are printed sorted by line when PrintFindings is called.
void Report(TSeverity severity, int line, const Str& text);
void Error(int line, const Str& text);
void Warning(int line, const Str& text);

// Prints every finding in line order and the summary; returns the exit code:
// 0 clean, 1 warnings only, 2 errors.
int PrintFindings();
