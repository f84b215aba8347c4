// Serialising a shell link: every number little-endian, strings of the
// StringData counted in characters and written without a NUL.
#include "platform/posix/kernel/kernel_posix.h"
#include "platform/posix/links/links_posix.h"

#include <cctype>
#include <vector>

namespace posix {
namespace {

const DWORD kHeaderSize = 0x4C;
const unsigned char kLinkClassId[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                        0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
const DWORD kLinkInfoHeaderSize = 0x1C;
const DWORD kVolumeIdHeaderSize = 0x10;
const DWORD kVolumeIdAndLocalBasePath = 0x1;

void PutU16(std::string& out, WORD v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>(v >> 8);
}

void PutU32(std::string& out, DWORD v) {
  PutU16(out, static_cast<WORD>(v & 0xFFFF));
  PutU16(out, static_cast<WORD>(v >> 16));
}

void PutFileTime(std::string& out, const FILETIME& ft) {
  PutU32(out, ft.dwLowDateTime);
  PutU32(out, ft.dwHighDateTime);
}

std::string Header(const LinkFileData& data) {
  std::string out;
  PutU32(out, kHeaderSize);
  out.append(reinterpret_cast<const char*>(kLinkClassId), sizeof kLinkClassId);
  PutU32(out, LinkFlagsOf(data));
  PutU32(out, data.targetAttributes);
  PutFileTime(out, data.creationTime);
  PutFileTime(out, data.accessTime);
  PutFileTime(out, data.writeTime);
  PutU32(out, data.targetSize);
  PutU32(out, static_cast<DWORD>(data.iconIndex));
  PutU32(out, data.showCommand);
  PutU16(out, data.hotkey);
  out.append(10, '\0');  // Reserved1, Reserved2, Reserved3
  return out;
}

std::string VolumeId(const LinkVolume& volume) {
  std::string out;
  PutU32(out, kVolumeIdHeaderSize + static_cast<DWORD>(volume.label.size()) + 1);
  PutU32(out, volume.driveType);
  PutU32(out, volume.serialNumber);
  PutU32(out, kVolumeIdHeaderSize);  // the label follows the header
  out += volume.label;
  out += '\0';
  return out;
}

// The whole path is the local base path; the common path suffix is empty.
std::string LinkInfo(const std::string& path, const LinkVolume& volume) {
  std::string volumeId = VolumeId(volume);
  DWORD volumeOffset = kLinkInfoHeaderSize;
  DWORD basePathOffset = volumeOffset + static_cast<DWORD>(volumeId.size());
  DWORD suffixOffset = basePathOffset + static_cast<DWORD>(path.size()) + 1;
  DWORD size = suffixOffset + 1;
  std::string out;
  PutU32(out, size);
  PutU32(out, kLinkInfoHeaderSize);
  PutU32(out, kVolumeIdAndLocalBasePath);
  PutU32(out, volumeOffset);
  PutU32(out, basePathOffset);
  PutU32(out, 0);  // no CommonNetworkRelativeLink
  PutU32(out, suffixOffset);
  out += volumeId;
  out += path;
  out += '\0';
  out += '\0';  // CommonPathSuffix ""
  return out;
}

// An empty text is left out with its flag: a string of no characters is
// legal, but readers of links (lnkinfo among them) stumble over it.
bool Present(const std::optional<std::string>& text) { return text && !text->empty(); }

void PutString(std::string& out, const std::optional<std::string>& text) {
  if (!Present(text)) return;
  std::string utf16 = Utf16FromAnsi(*text);
  PutU16(out, static_cast<WORD>(utf16.size() / 2));
  out += utf16;
}

bool HasLinkInfo(const LinkFileData& data) { return !data.targetPath.empty() && data.volume; }

std::vector<std::string> Components(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : path) {
    if (c == '\\') {
      if (!part.empty()) parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty()) parts.push_back(part);
  return parts;
}

bool SameComponent(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

}  // namespace

DWORD LinkFlagsOf(const LinkFileData& data) {
  DWORD flags = LinkIsUnicode;
  if (HasLinkInfo(data)) flags |= LinkHasLinkInfo;
  if (Present(data.description)) flags |= LinkHasName;
  if (Present(data.relativePath)) flags |= LinkHasRelativePath;
  if (Present(data.workingDir)) flags |= LinkHasWorkingDir;
  if (Present(data.arguments)) flags |= LinkHasArguments;
  if (Present(data.iconLocation)) flags |= LinkHasIconLocation;
  return flags;
}

std::string BuildLinkFile(const LinkFileData& data) {
  std::string out = Header(data);
  if (HasLinkInfo(data)) out += LinkInfo(data.targetPath, *data.volume);
  PutString(out, data.description);
  PutString(out, data.relativePath);
  PutString(out, data.workingDir);
  PutString(out, data.arguments);
  PutString(out, data.iconLocation);
  PutU32(out, 0);  // TerminalBlock
  return out;
}

std::string Utf16FromAnsi(const std::string& ansi) {
  std::string out;
  out.reserve(ansi.size() * 2);
  for (char c : ansi) PutU16(out, CodePointFromAnsi(static_cast<unsigned char>(c)));
  return out;
}

std::string RelativeTargetPath(const std::string& linkFile, const std::string& target) {
  std::vector<std::string> from = Components(linkFile);
  std::vector<std::string> to = Components(target);
  if (from.empty() || to.empty() || !SameComponent(from[0], to[0])) return std::string();
  from.pop_back();  // the link's own name: relative to its folder
  size_t common = 0;
  while (common < from.size() && common < to.size() && SameComponent(from[common], to[common]))
    ++common;
  std::string relative = common == from.size() ? "." : "";
  for (size_t i = common; i < from.size(); ++i) relative += relative.empty() ? ".." : "\\..";
  for (size_t i = common; i < to.size(); ++i) relative += "\\" + to[i];
  return relative;
}

}  // namespace posix
