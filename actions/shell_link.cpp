// Writing a link file through the shell's link object (COM): the object
// fills in what the shell needs (target attributes, location, relative
// path), which no hand-made file would do as well.
#include "actions/shell_link.h"

namespace {
enum { WidePathSize = 519 };

// Named here rather than taken from the uuid library, which the product
// does not link.
const GUID ShellLinkClass = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const GUID ShellLinkAInterface = {0x000214EE, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const GUID PersistFileInterface = {0x0000010B, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

HRESULT SetLinkFields(IShellLinkA* link, const char* target, const char* arguments,
                      const char* workingDir, const char* iconFile, int iconIndex) {
  HRESULT result = link->SetPath(target);
  if (FAILED(result)) return result;
  result = link->SetWorkingDirectory(workingDir);
  if (FAILED(result)) return result;
  if (*arguments) {
    result = link->SetArguments(arguments);
    if (FAILED(result)) return result;
  }
  if (*iconFile) {
    result = link->SetIconLocation(iconFile, iconIndex);
    if (FAILED(result)) return result;
  }
  return S_OK;
}

HRESULT SaveLink(IShellLinkA* link, const char* linkFile) {
  IPersistFile* file = nullptr;
  HRESULT result = link->QueryInterface(PersistFileInterface, reinterpret_cast<void**>(&file));
  if (FAILED(result)) return result;
  WCHAR widePath[WidePathSize];
  if (MultiByteToWideChar(CP_ACP, 0, linkFile, -1, widePath, WidePathSize) == 0)
    result = -1;
  else
    result = file->Save(widePath, TRUE);
  file->Release();
  return result;
}
}  // namespace

HRESULT CreateShellLink(const char* target, const char* arguments, const char* workingDir,
                        const char* iconFile, int iconIndex, const char* linkFile) {
  // Once per thread would do; a repeated call only counts up and is harmless.
  CoInitialize(nullptr);
  IShellLinkA* link = nullptr;
  HRESULT result = CoCreateInstance(ShellLinkClass, nullptr, CLSCTX_INPROC_SERVER,
                                    ShellLinkAInterface, reinterpret_cast<void**>(&link));
  if (FAILED(result)) return result;
  result = SetLinkFields(link, target, arguments, workingDir, iconFile, iconIndex);
  if (SUCCEEDED(result)) result = SaveLink(link, linkFile);
  link->Release();
  return result;
}
