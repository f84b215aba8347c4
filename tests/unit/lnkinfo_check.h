// Reading a link file back with lnkinfo (Debian liblnk-utils), an outside
// reader of the format, so that the links the tests write are checked by
// something other than our own code.
#pragma once

#include <cstdio>
#include <map>
#include <string>

// The fields that lnkinfo shows, by its own names ("Local path", "Relative
// path", "Working directory", "Command line arguments", "Icon location",
// "Icon index", ...). ok is false when lnkinfo could not read the file.
struct LnkInfoFields {
  bool ok = false;
  std::string output;
  std::map<std::string, std::string> field;
  // A field lnkinfo does not show reads as empty.
  std::string operator[](const std::string& name) const {
    auto it = field.find(name);
    return it == field.end() ? std::string() : it->second;
  }
};

inline bool LnkInfoAvailable() { return std::system("lnkinfo -V >/dev/null 2>&1") == 0; }

// Runs lnkinfo on a host file. Its lines read "\t<name>\t...\t: <value>".
inline LnkInfoFields RunLnkInfo(const std::string& hostPath) {
  LnkInfoFields result;
  std::string command = "lnkinfo '" + hostPath + "' 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return result;
  char buffer[4096];
  while (fgets(buffer, sizeof buffer, pipe)) result.output += buffer;
  int status = pclose(pipe);
  size_t start = 0;
  while (start < result.output.size()) {
    size_t end = result.output.find('\n', start);
    if (end == std::string::npos) end = result.output.size();
    std::string line = result.output.substr(start, end - start);
    start = end + 1;
    size_t separator = line.find("\t: ");
    if (line.empty() || line[0] != '\t' || separator == std::string::npos) continue;
    std::string name = line.substr(1, line.find('\t', 1) - 1);
    // Shell items repeat names; the link's own fields come first.
    if (!result.field.count(name)) result.field[name] = line.substr(separator + 3);
  }
  result.ok = status == 0 && result.output.find("Unable") == std::string::npos;
  return result;
}
