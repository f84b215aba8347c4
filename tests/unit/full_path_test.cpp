// Which destinations name their place by themselves: a drive with its root,
// or a server with a share. Everything else would be resolved against the
// current directory, the distribution medium.
#include <gtest/gtest.h>

#include "values/full_path.h"

namespace {

const struct {
  const char* path;
  bool full;
} FullPathRows[] = {
    {"C:\\", true},
    {"C:\\Program Files\\App", true},
    {"z:\\tmp\\", true},
    {"C:\\Apps\\%NOTDEFINED%\\x", true},  // a name of its own, however odd
    {"\\\\server\\share", true},
    {"\\\\server\\share\\dir\\", true},
    {"\\\\?\\C:\\long", true},
    {"", false},
    {"bin", false},
    {"sub\\Link.LNK", false},
    {".\\x.ini", false},
    {"..\\x", false},
    {"%NOTDEFINED%\\bin\\", false},
    {"\\tmp\\x", false},   // the root of whatever drive is current
    {"\\", false},
    {"C:", false},
    {"C:x.ini", false},    // relative to the current folder of drive C:
    {"C:/x", false},       // the control file's paths use backslashes
    {"1:\\x", false},
    {"CC:\\x", false},
    {"\\\\", false},
    {"\\\\server", false},
    {"\\\\server\\", false},
    {"\\\\\\share", false},
};

TEST(IsFullPath, DriveRootsAndSharesOnly) {
  int row = 0;
  for (const auto& r : FullPathRows) {
    EXPECT_EQ(IsFullPath(r.path), r.full) << "row " << row << ": \"" << r.path << "\"";
    ++row;
  }
}

}  // namespace
