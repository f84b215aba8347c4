// [SetMnuLNK]: the program's own Start-menu folder and its links.
#pragma once

// Creates the folder named by MyStartMenu, publishes it (in short form with
// useShortPath) in the environment and in the [Strings] of the installed copy,
// and creates the links of [SetMnuLNK]; each failed link counts in ErrorLevel.
void CreateStartMenuLinks(const char* installedInfPath, const char* sourceFile, bool useShortPath);
