// Signature and section choice, shared by the simulated machine's engine and
// the package checker, which must agree on what an uninstall runs.
#include "setupengine/install_section.h"

#include "setupengine/inf_strings.h"

bool HasKnownSignature(const TInfFile& inf, const char* infDir) {
  int version = FindInfSection(inf, "Version");
  const TInfLine* line = version < 0 ? nullptr : FindInfLine(inf, version, "Signature");
  if (!line) return false;
  Str signature = SubstituteInfStrings(inf, InfLineField(inf, *line, 1), infDir);
  return signature.equalsIgnoreCase("$Chicago$") || signature.equalsIgnoreCase("$Windows NT$") ||
         signature.equalsIgnoreCase("$Windows 95$");
}

int InstalledSection(const TInfFile& inf, const char* section) {
  const char* decorations[] = {".NTx86", ".NT", ""};
  for (const char* decoration : decorations) {
    int found = FindInfSection(inf, (Str(section) + decoration).c_str());
    if (found >= 0) return found;
  }
  return -1;
}
