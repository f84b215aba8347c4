#!/usr/bin/env bash
# The resources as they were compiled into SETUP.EXE: the dialog templates
# with the numeric styles that Windows gets, the version resource and the
# manifest. Read back from the executable with the resource compiler of the
# tool chain, so the test needs no Windows.
#
# usage: exe_resources_test.sh [WINDOWS_BUILD] [NATIVE_BUILD]
set -uo pipefail
source "$(dirname "$0")/lib.sh"
require_setup_exe
command -v i686-w64-mingw32-windres >/dev/null || skip_all "no i686-w64-mingw32-windres"

decompiled=$(i686-w64-mingw32-windres -i "$SETUP_EXE" -O rc 2>&1 | tr -d '\r')

# The block of one resource: from its header line to the END of its body.
resource_block() {  # resource_block HEADER_PREFIX
  awk -v head="$1" 'index($0, head) == 1 { on = 1 } on { print } on && /^END$/ { exit }' <<<"$decompiled"
}

# WS_CHILD|WS_VISIBLE = 0x50000000; WS_TABSTOP 0x10000; WS_GROUP 0x20000;
# WS_BORDER 0x800000; BS_DEFPUSHBUTTON 1; BS_AUTOCHECKBOX 3; SS_CENTER 1;
# SS_NOPREFIX 0x80 (an "&" in a text is shown, not taken for a mnemonic);
# ES_AUTOHSCROLL 0x80. Dialog: WS_POPUP|WS_CAPTION|WS_SYSMENU|DS_MODALFRAME,
# and no DS_SETFONT (0x40): the system dialog font.
expected_dialog() {
  case "$1" in
    MSGBOXCONTINUE) cat <<'EOT'
"MSGBOXCONTINUE" DIALOG 18, 18, 174, 68
STYLE 0x80c80080
CAPTION "Setup"
BEGIN
  CONTROL "OK", 1, "BUTTON", 0x50010001, 34, 34, 31, 14
  CONTROL "Cancel", 2, "BUTTON", 0x50010000, 100, 34, 33, 14
  CONTROL "Continue Installation?", 101, "STATIC", 0x50020081, 5, 4, 166, 24
  CONTROL "", 107, "STATIC", 0x50020081, 3, 51, 169, 12
END
EOT
    ;;
    MSGBOXLOGFILE) cat <<'EOT'
"MSGBOXLOGFILE" DIALOG 18, 18, 203, 93
STYLE 0x80c80080
CAPTION "Setup"
BEGIN
  CONTROL "Close", 1, "BUTTON", 0x50010001, 136, 71, 59, 14
  CONTROL "show Logfile", 106, "BUTTON", 0x50010000, 10, 62, 58, 14
  CONTROL "Sucess?", 101, "STATIC", 0x50020080, 9, 10, 181, 29
  CONTROL "LogFilePath", 107, "STATIC", 0x50020081, 8, 50, 187, 10
  CONTROL "Logfile:", 65535, "STATIC", 0x50020000, 8, 41, 52, 8
END
EOT
    ;;
    MSGBOXSOC) cat <<'EOT'
"MSGBOXSOC" DIALOG 18, 18, 183, 83
STYLE 0x80c80080
CAPTION "Setup"
BEGIN
  CONTROL "always", 105, "BUTTON", 0x50010003, 39, 31, 39, 12
  CONTROL "Skip copy", 1, "BUTTON", 0x50010001, 8, 43, 41, 14
  CONTROL "Overwrite", 4, "BUTTON", 0x50010000, 59, 43, 55, 14
  CONTROL "with Backup to", 104, "BUTTON", 0x50010003, 59, 57, 63, 12
  CONTROL "FilePath", 102, "EDIT", 0x50810080, 5, 67, 157, 11
  CONTROL "...", 103, "BUTTON", 0x50010000, 166, 67, 12, 10
  CONTROL "Cancel Install", 2, "BUTTON", 0x50010000, 123, 43, 56, 14
  CONTROL "Continue Installation?", 101, "STATIC", 0x50020081, 5, 4, 166, 24
END
EOT
    ;;
    PATHSEL) cat <<'EOT'
"PATHSEL" DIALOG 10, 35, 187, 63
STYLE 0x80c80080
CAPTION "Setup"
BEGIN
  CONTROL "&OK", 1, "BUTTON", 0x50010000, 31, 44, 38, 15
  CONTROL "The program will be installed to:", 101, "STATIC", 0x50000080, 6, 10, 123, 12
  CONTROL "Cancel", 2, "BUTTON", 0x50010000, 86, 44, 43, 15
  CONTROL "", 102, "EDIT", 0x50810080, 7, 26, 149, 12
  CONTROL "...", 103, "BUTTON", 0x50010000, 162, 27, 15, 9
END
EOT
    ;;
  esac
}

echo "resources compiled into SETUP.EXE"
for name in MSGBOXCONTINUE MSGBOXLOGFILE MSGBOXSOC PATHSEL; do
  # windres marks templates of the executable as MOVEABLE PURE DISCARDABLE
  # in some versions; the memory flags mean nothing on Win32.
  actual=$(resource_block "\"$name\" DIALOG" | sed 's/ MOVEABLE PURE DISCARDABLE//')
  check "dialog $name" "$(expected_dialog "$name")" "$actual"
done
check "exactly four dialogs" 4 "$(grep -c '" DIALOG ' <<<"$decompiled")"
check "dialogs in U.S. English" "LANGUAGE 9, 1" "$(grep -m1 '^LANGUAGE' <<<"$decompiled")"

version=$(resource_block "1 VERSIONINFO")
for line in ' FILEVERSION 1, 0, 0, 0' ' PRODUCTVERSION 1, 0, 0, 0' ' FILETYPE 0x1' \
  '    BLOCK "040904E4"' \
  '      VALUE "CompanyName", "Talven Software"' \
  '      VALUE "FileDescription", "Talven Setup"' \
  '      VALUE "FileVersion", "1.0.0.0"' \
  '      VALUE "InternalName", "SETUP"' \
  '      VALUE "LegalCopyright", "Copyright (C) 2026 Talven Software"' \
  '      VALUE "OriginalFilename", "SETUP.EXE"' \
  '      VALUE "ProductName", "Talven Setup"' \
  '      VALUE "ProductVersion", "1.0.0.0"' \
  '    VALUE "Translation", 0x409, 1252'; do
  if grep -qxF -- "$line" <<<"$version"; then pass "version:$line"; else fail "version lacks [$line]"; fi
done

manifest=$(resource_block "1 24")
for needle in 'level=""asInvoker""' 'Microsoft.Windows.Common-Controls' 'PerMonitorV2'; do
  if grep -qF -- "$needle" <<<"$manifest"; then pass "manifest 1 has $needle"; else fail "manifest 1 lacks $needle"; fi
done
finish
