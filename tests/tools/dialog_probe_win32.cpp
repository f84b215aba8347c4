// dialog_probe: what a user sees of the dialog that SETUP.EXE has open, for
// the GUI tests. Run in the same Wine prefix while the dialog is shown:
//   dialog_probe [CAPTION]
// looks at the visible dialog whose caption begins with CAPTION (default
// "SETUP V", the installer's; "Browse for Folder" is the folder browser's).
// One line for the dialog, "dialog LEFT TOP WIDTH HEIGHT CX CY" (screen
// pixels; CX, CY: where its client area begins inside the window),
// then one line per control in template order:
//   ID CLASS LEFT,TOP,WIDTHxHEIGHT MARKS "TEXT"   (CR and LF as \r, \n)
// in client pixels; MARKS are "default" (a default push button), "focus"
// (it has the keyboard focus), "disabled", and for a static "fits" or "cut": whether
// its text, broken into lines as the control breaks it, fits the control's
// rectangle, and the rectangle the dialog's client area.
// Exit code 0 when every text fits, 3 when one is cut, 2 without a dialog.
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {
HWND g_dialog = nullptr;
const char* g_caption = "SETUP V";

BOOL CALLBACK FindDialog(HWND window, LPARAM) {
  char className[16], caption[64];
  GetClassNameA(window, className, sizeof className);
  GetWindowTextA(window, caption, sizeof caption);
  if (IsWindowVisible(window) && strcmp(className, "#32770") == 0 &&
      strncmp(caption, g_caption, strlen(g_caption)) == 0) {
    g_dialog = window;
    return FALSE;
  }
  return TRUE;
}

// The font the control draws with. A font handle of another process may
// not be usable here; then the link's font is made as SETUP makes it, and
// any other static uses the system font, which a DC starts with.
HFONT FontOf(HWND control, bool& made) {
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
  made = false;
  if (font && GetObjectType(font) == OBJ_FONT) return font;
  if (GetDlgCtrlID(control) != 107) return nullptr;
  HDC screen = GetDC(nullptr);
  int height = -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  made = true;
  return CreateFontA(height, 0, 0, 0, FW_DONTCARE, FALSE, TRUE, FALSE, ANSI_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, nullptr);
}

// Whether the static's text fits its client rectangle, as DrawText breaks it.
bool TextFits(HWND control, const char* text, const RECT& client) {
  LONG style = GetWindowLongA(control, GWL_STYLE);
  UINT format = DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS;
  if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
  bool made;
  HFONT font = FontOf(control, made);
  HDC dc = GetDC(control);
  HGDIOBJ previous = font ? SelectObject(dc, font) : nullptr;
  RECT needed = {0, 0, client.right, 0};
  DrawTextA(dc, text, -1, &needed, format);
  if (previous) SelectObject(dc, previous);
  ReleaseDC(control, dc);
  if (made) DeleteObject(font);
  return needed.bottom <= client.bottom && needed.right <= client.right;
}

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

// Line ends are shown as \r and \n, so that one control stays one line.
void PrintText(const char* text) {
  for (const char* c = text; *c; ++c) {
    if (*c == '\r') std::printf("\\r");
    else if (*c == '\n') std::printf("\\n");
    else std::putchar(*c);
  }
}

// Prints the control's line; false when it is a static whose text is cut.
bool ProbeControl(HWND control, HWND focus, const RECT& dialogClient) {
  static char text[8192];
  char className[32];
  GetClassNameA(control, className, sizeof className);
  // GetWindowText would not ask a control of another process for its text.
  SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  RECT rect, client;
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, g_dialog, reinterpret_cast<POINT*>(&rect), 2);
  GetClientRect(control, &client);
  LONG style = GetWindowLongA(control, GWL_STYLE);
  bool isButton = _stricmp(className, "Button") == 0;
  bool fits = true;
  std::printf("%d %s %ld,%ld,%ldx%ld", GetDlgCtrlID(control), className, rect.left, rect.top,
              rect.right - rect.left, rect.bottom - rect.top);
  if (isButton && (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) std::printf(" default");
  if (control == focus) std::printf(" focus");
  if (!IsWindowEnabled(control)) std::printf(" disabled");
  if (_stricmp(className, "Static") == 0) {
    fits = TextFits(control, text, client) && Inside(rect, dialogClient);
    std::printf(fits ? " fits" : " cut");
  }
  std::printf(" \"");
  PrintText(text);
  std::printf("\"\n");
  return fits;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) g_caption = argv[1];
  EnumWindows(FindDialog, 0);
  if (!g_dialog) {
    std::printf("no dialog\n");
    return 2;
  }
  RECT frame, client;
  GetWindowRect(g_dialog, &frame);
  GetClientRect(g_dialog, &client);
  POINT origin = {0, 0};
  ClientToScreen(g_dialog, &origin);
  std::printf("dialog %ld %ld %ld %ld %ld %ld\n", frame.left, frame.top, frame.right - frame.left,
              frame.bottom - frame.top, origin.x - frame.left, origin.y - frame.top);
  GUITHREADINFO thread = {};
  thread.cbSize = sizeof thread;
  GetGUIThreadInfo(GetWindowThreadProcessId(g_dialog, nullptr), &thread);
  bool allFit = true;
  for (HWND c = GetWindow(g_dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    allFit = ProbeControl(c, thread.hwndFocus, client) && allFit;
  std::fflush(stdout);
  return allFit ? 0 : 3;
}
