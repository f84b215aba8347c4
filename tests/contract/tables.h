// The tables of the contract run, one function per area of the API.
#pragma once

namespace contract {

void RunProfileTables();
void RunEnvironmentTables();
void RunFileTables();
void RunRenameTables();
void RunOpenTables();
void RunFindTables();
void RunPathTables();
void RunRegistryTables();
// `testPeFolder`: the folder of the PE test files of the build.
void RunVersionTables(const char* testPeFolder);

}  // namespace contract
