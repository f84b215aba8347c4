// The copy of an installed file that "with Backup to" keeps before the file
// is overwritten.
#pragma once

// Copies target into folder (created with its parents when missing) under
// its own name and logs where it went. A backup that fails is logged, counts
// as a warning, and returns false: the caller then keeps the installed file.
bool SaveBackupCopy(const char* target, const char* folder);
