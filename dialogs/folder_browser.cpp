#include "dialogs/folder_browser.h"

#include <string.h>

#include "common/str.h"

namespace {
enum { FolderBufferSize = 261 };

// Whether the browser's selection is a folder with a file-system path: with
// nothing selected (a start folder that it could not find) its OK gives
// back the desktop, which the user never chose.
bool g_folderSelected = false;

// The focus starts on OK, and a tree without the focus hides which folder
// OK takes. Posted: the dialog sets its first focus after this callback.
void FocusTree(HWND browser) {
  HWND tree = FindWindowExA(browser, nullptr, "SysTreeView32", nullptr);
  if (tree) PostMessageA(browser, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(tree), TRUE);
}

bool IsFolder(const char* path) {
  DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
}  // namespace

int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM parameter, LPARAM data) {
  char path[FolderBufferSize];
  const char* start = reinterpret_cast<const char*>(data);
  if (message == BFFM_INITIALIZED) {
    FocusTree(window);
    if (start && *start) SendMessageA(window, BFFM_SETSELECTIONA, 1, data);
  } else if (message == BFFM_SELCHANGED) {
    g_folderSelected =
        parameter && SHGetPathFromIDListA(reinterpret_cast<LPCITEMIDLIST>(parameter), path);
  }
  return 1;
}

void NearestExistingFolder(char* path) {
  for (;;) {
    size_t length = strlen(path);
    while (length > 3 && path[length - 1] == '\\') path[--length] = '\0';
    if (length && IsFolder(path)) return;
    char* cut = strrchr(path, '\\');
    // "C:\" is the last step; a path without a drive ends empty.
    if (!cut || cut[1] == '\0' || cut <= path + 1) {
      path[0] = '\0';
      return;
    }
    cut[cut == path + 2 && path[1] == ':' ? 1 : 0] = '\0';
  }
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
  g_folderSelected = false;
  LPITEMIDLIST item = SHBrowseForFolderA(&info);
  if (root) CoTaskMemFree(root);
  // OK without a selection is no choice; only our callback can tell.
  if (item && !callback && !g_folderSelected) {
    CoTaskMemFree(item);
    item = nullptr;
  }
  if (!item) return BrowseCancelled;
  CopyToBuffer(displayName, FolderBufferSize, name);
  // An item without a file-system path (only with non-default flags) leaves
  // the path as it was.
  if (SHGetPathFromIDListA(item, name)) CopyToBuffer(path, FolderBufferSize, name);
  CoTaskMemFree(item);
  return FolderChosen;
}
