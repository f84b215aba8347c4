// The links of one link section ([SetMnuLNK], or the section that
// [RegWriteUninstall] names as its fallback).
#pragma once

// Creates one link per line of section in controlFile. A link name without
// a folder part goes into defaultFolder (created when missing); with an
// empty defaultFolder it goes into the user's Start-menu programs folder.
// Every link created or replaced is logged in MessageBuffer. The first link
// that fails is reported (line, box) and ends the section. Returns the
// number of errors: 0 when every line became a link.
int CreateLinks(const char* section, const char* defaultFolder, const char* controlFile);
