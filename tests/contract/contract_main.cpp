// The contract run: every table against the API of this build's host.
//
// usage: contract_tests [--machine DIR] [--test-pe FOLDER] [--as-root]
#include <stdio.h>
#include <string.h>

#include "tests/contract/contract.h"
#include "tests/contract/host.h"
#include "tests/contract/tables.h"

namespace contract {

const char* Option(int argc, char** argv, const char* name) {
  for (int i = 1; i + 1 < argc; ++i)
    if (strcmp(argv[i], name) == 0) return argv[i + 1];
  return nullptr;
}

}  // namespace contract

int main(int argc, char** argv) {
  if (!contract::OpenHost(argc, argv)) return 2;
  contract::RunProfileTables();
  contract::RunEnvironmentTables();
  contract::RunFileTables();
  contract::RunRenameTables();
  contract::RunOpenTables();
  contract::RunFindTables();
  contract::RunPathTables();
  contract::RunRegistryTables();
  const char* testPe = contract::Option(argc, argv, "--test-pe");
  if (testPe) contract::RunVersionTables(testPe);
  else printf("no --test-pe folder: the version tables are not run\n");
  return contract::Finish();
}
