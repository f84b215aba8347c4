#include "tests/contract/tables.h"
namespace contract {
void RunEnvironmentTables() {}
void RunFileTables() {}
void RunFindTables() {}
void RunPathTables() {}
void RunRegistryTables() {}
void RunVersionTables(const char*) {}
}
