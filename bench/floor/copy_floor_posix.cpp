// The least that a native installer copying file by file can do for one
// file while keeping an installed file whole: open the new file, write it
// under a temporary name in the target's folder, give it the new file's
// time, rename it over the target, and write one log line. No checks, no
// messages: a floor to measure the installer and cp against, not a tool.
// Used by bench/peer_bench.sh only.
//
// usage: copy_floor SOURCE_DIR TARGET_DIR LOG_FILE
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

namespace {
char g_buffer[1 << 16];
int g_log = -1;

void CopyOne(const char* from, const char* dir, const char* to) {
  char temporary[4096];
  std::snprintf(temporary, sizeof temporary, "%s/~STP0000.TMP", dir);
  int in = open(from, O_RDONLY | O_CLOEXEC);
  struct stat st;
  fstat(in, &st);
  int out = open(temporary, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  ssize_t got;
  while ((got = read(in, g_buffer, sizeof g_buffer)) > 0) {
    if (write(out, g_buffer, static_cast<size_t>(got)) != got) break;
    if (got < static_cast<ssize_t>(sizeof g_buffer)) break;
  }
  struct timespec times[2] = {{0, UTIME_OMIT}, st.st_mtim};
  futimens(out, times);
  rename(temporary, to);
  close(out);
  close(in);
  char line[4200];
  int length = std::snprintf(line, sizeof line, "%s\t12/8/2026 created\r\n", to);
  if (write(g_log, line, static_cast<size_t>(length)) != length) { /* a floor, not a tool */ }
}

void CopyDir(const char* from, const char* to) {
  mkdir(to, 0777);
  DIR* dir = opendir(from);
  if (!dir) return;
  while (struct dirent* entry = readdir(dir)) {
    if (entry->d_name[0] == '.') continue;
    char source[4096], target[4096];
    std::snprintf(source, sizeof source, "%s/%s", from, entry->d_name);
    std::snprintf(target, sizeof target, "%s/%s", to, entry->d_name);
    if (entry->d_type == DT_DIR)
      CopyDir(source, target);
    else
      CopyOne(source, to, target);
  }
  closedir(dir);
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  g_log = open(argv[3], O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  CopyDir(argv[1], argv[2]);
  return 0;
}
