// ExpandEnvPasString alone in its file: it is the one expansion that can end
// the run, and keeping it apart lets everything else link without the run's
// end (the tests check it through TryExpandEnvPasString).
#include "common/run_state.h"
#include "values/expand.h"

Str ExpandEnvPasString(const char* text) {
  Str result;
  Str message;
  if (!TryExpandEnvPasString(text, result, message))
    EndRunWithUncaughtError("EBufferOverflow", message.c_str());
  return result;
}
