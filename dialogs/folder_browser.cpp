#include "dialogs/folder_browser.h"

#include "common/str.h"

namespace {
enum { FolderBufferSize = 261 };
}

int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM parameter, LPARAM data) {
  if (message == BFFM_INITIALIZED) SendMessageA(window, BFFM_SETSELECTIONA, 1, data);
  return 1;
}

int BrowseForFolder(HWND owner, char* path, char* displayName, const char* title, int flags,
                    BFFCALLBACK callback) {
  UINT browseFlags = flags == -1 ? BIF_RETURNONLYFSDIRS : static_cast<UINT>(flags);
  LPITEMIDLIST root = nullptr;
  if (browseFlags & BIF_BROWSEFORPRINTER)
    SHGetSpecialFolderLocation(owner, CSIDL_PRINTERS, &root);
  else if (browseFlags & BIF_BROWSEFORCOMPUTER)
    SHGetSpecialFolderLocation(owner, CSIDL_NETWORK, &root);

  char name[FolderBufferSize] = "";
  BROWSEINFOA info = {};
  info.hwndOwner = owner;
  info.pidlRoot = root;
  info.pszDisplayName = name;
  info.lpszTitle = title;
  info.ulFlags = browseFlags;
  info.lpfn = callback ? callback : BrowseCallback;
  info.lParam = reinterpret_cast<LPARAM>(path);
  LPITEMIDLIST item = SHBrowseForFolderA(&info);
  if (root) CoTaskMemFree(root);
  if (!item) return 2;
  CopyToBuffer(displayName, FolderBufferSize, name);
  // An item without a file-system path (only with non-default flags) leaves
  // the path as it was.
  if (SHGetPathFromIDListA(item, name)) CopyToBuffer(path, FolderBufferSize, name);
  CoTaskMemFree(item);
  return 0;
}
