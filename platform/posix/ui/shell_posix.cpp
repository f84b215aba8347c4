// The shell's folder browser and "open" on the terminal, and the little of
// GDI that the dialogs use (fonts and colours mean nothing on a terminal).
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "platform/posix/paths/paths_posix.h"
#include "platform/posix/ui/ui_posix.h"

namespace {
// An item of the folder browser is its Windows path, allocated as the
// shell allocates item lists (freed with CoTaskMemFree).
LPITEMIDLIST MakeItem(const std::string& path) {
  char* item = static_cast<char*>(malloc(path.size() + 1));
  memcpy(item, path.c_str(), path.size() + 1);
  return reinterpret_cast<LPITEMIDLIST>(item);
}
}  // namespace

extern "C" {

LPITEMIDLIST SHBrowseForFolderA(LPBROWSEINFOA info) {
  if (!info) return nullptr;
  posix::Window browser;
  browser.isBrowser = true;
  posix::RegisterWindow(&browser);
  if (info->lpfn) info->lpfn(posix::HandleOf(&browser), BFFM_INITIALIZED, 0, info->lParam);
  std::string chosen;
  bool chose = posix::AskFolder(info->lpszTitle ? info->lpszTitle : "", browser.selection, chosen);
  LPITEMIDLIST item = chose ? MakeItem(posix::FullWinPath(chosen.c_str())) : nullptr;
  // The folder typed is the browser's selection, as a click in its tree is.
  if (item && info->lpfn)
    info->lpfn(posix::HandleOf(&browser), BFFM_SELCHANGED, reinterpret_cast<LPARAM>(item),
               info->lParam);
  posix::UnregisterWindow(&browser);
  if (item && info->pszDisplayName) {
    const char* full = reinterpret_cast<const char*>(item);
    const char* cut = strrchr(full, '\\');
    snprintf(info->pszDisplayName, MAX_PATH, "%s", cut ? cut + 1 : full);
  }
  return item;
}

BOOL SHGetPathFromIDListA(LPCITEMIDLIST item, LPSTR path) {
  if (!item || !path) return FALSE;
  snprintf(path, MAX_PATH, "%s", reinterpret_cast<const char*>(item));
  return TRUE;
}

HRESULT SHGetSpecialFolderLocation(HWND, int folder, LPITEMIDLIST* item) {
  if (!item) return static_cast<HRESULT>(0x80070057);  // E_INVALIDARG
  *item = MakeItem(folder == CSIDL_PRINTERS ? "::Printers" : "::Network");
  return S_OK;
}

void CoTaskMemFree(LPVOID memory) { free(memory); }

HINSTANCE ShellExecuteA(HWND, LPCSTR operation, LPCSTR file, LPCSTR, LPCSTR, INT) {
  fprintf(stderr, "(%s: %s)\n", operation ? operation : "open", file ? file : "");
  return reinterpret_cast<HINSTANCE>(static_cast<intptr_t>(42));
}

HDC GetDC(HWND) { return reinterpret_cast<HDC>(static_cast<intptr_t>(1)); }
int ReleaseDC(HWND, HDC) { return 1; }
int GetDeviceCaps(HDC, int index) { return index == LOGPIXELSY ? 96 : 0; }

int MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  long long product = static_cast<long long>(number) * numerator;
  long long half = (denominator < 0 ? -denominator : denominator) / 2;
  long long rounded = ((product < 0) != (denominator < 0)) ? (product - half) / denominator
                                                           : (product + half) / denominator;
  return static_cast<int>(rounded);
}

HFONT CreateFontA(int, int, int, int, int, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD,
                  LPCSTR) {
  static int font;
  return reinterpret_cast<HFONT>(&font);
}

BOOL DeleteObject(HGDIOBJ) { return TRUE; }
LRESULT DefWindowProcA(HWND, UINT, WPARAM, LPARAM) { return 0; }
COLORREF SetTextColor(HDC, COLORREF) { return 0; }

}  // extern "C"
