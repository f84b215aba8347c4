#include "values/cut_key_list.h"

#include "common/message_buffer.h"
#include "common/run_state.h"
#include "common/str.h"
#include "values/profile_values.h"

bool KeyListWasCut(DWORD length, DWORD size) { return size >= 2 && length == size - 2; }

bool ReadKeyListDroppingCutName(const char* file, const char* section, char* keys, DWORD size) {
  DWORD length = ReadProfileKeyList(file, section, keys, size);
  if (!KeyListWasCut(length, size)) return false;
  // The last name ends where the list ends; its first character becomes the
  // list's end.
  DWORD start = length;
  while (start > 0 && keys[start - 1] != '\0') --start;
  keys[start] = '\0';
  return true;
}

namespace {
const char* LastName(const char* keys) {
  const char* last = "";
  for (const char* key : KeyList(keys)) last = key;
  return last;
}
}  // namespace

void ReportCutKeyList(const char* section, const char* keys, DWORD size, const char* notDone) {
  const char* lastDone = LastName(keys);
  Str line("Error: [");
  line += section;
  line += "] has more lines than fit in ";
  line.appendNumber(size - 1);
  if (*lastDone) {
    line += " characters; the lines after ";
    line += lastDone;
    line += " are not ";
  } else {
    // Not even the first name fitted whole: nothing of the section was done.
    line += " characters; none of its lines are ";
  }
  line += notDone;
  line += "\r\n";
  MessageBuffer += line;
  RaiseErrorLevelToFailure();
}
