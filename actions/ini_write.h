// [IniWrite]: entries written into INI files of the target system.
#pragma once

void WriteIniEntries(const char* sourceFile);
