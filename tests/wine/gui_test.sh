#!/usr/bin/env bash
# The real dialogs of SETUP.EXE under Wine, driven as a user drives them on a
# private X display: clicks on the controls, typing into the edits, and a
# screenshot of every dialog kept in <windows build>/gui-artifacts/.
#
# 1. A package whose files lie newer (by date) in the directory that the user
#    types into the directory dialog: continue prompt, directory dialog,
#    skip-or-overwrite prompt answered "always" + "Overwrite", result dialog;
#    the outcome on disk and in the log. The run records its answers.
# 2. The recorded answers replayed silently on the same starting state give
#    the same files and the same log. Escape in the directory dialog ends
#    the run silently.
# 3. The example package, first installed over nothing ("..." and OK in the
#    browser give back the proposed directory), then over a newer
#    TALVDEMO.EXE and a newer README.TXT: two skip-or-overwrite prompts, the
#    check boxes of the first kept by the second, a backup of the replaced
#    file, and the notepad windows of the information texts.
# 4. Long texts: a 120-character title and URL, a 200-character target path
#    and a 100-character log path are shown whole in every dialog (measured
#    in the running dialog by dialog_probe.exe); the prompt sits low on the
#    screen; Enter keeps the installed file; a cancelled browser leaves the
#    run a success.
#
# usage: gui_test.sh [WINDOWS_BUILD] [NATIVE_BUILD]
set -uo pipefail
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/gui_lib.sh"
require_setup_exe
example_src="$SETUP_WIN_BUILD/example"
[ -f "$example_src/APP.INF" ] || skip_all "no $example_src/APP.INF (build the windows preset first)"

test_started=$SECONDS
work=$(make_work_dir gui)
rm -rf "$GUI_ARTIFACTS"
gui_start_display
if ! wine_prefix_init; then skip_all "no Wine prefix"; fi
gui_prefix_setup || fail "Wine draws the dialogs' captions itself"
drive_c="$WINEPREFIX/drive_c"

OLD_DATE='2020-05-05 12:00:00'   # installed files: later, and greater as text
NEW_DATE='2020-01-01 10:00:00'   # the package's files

# The log with the time of the run replaced.
normalised_log() {
  sed -e $'s/^Date\\/Time:\t.*\r$/Date\\/Time:\t<now>\r/' "$1"
}

# step NAME COMMAND...: a step of a dialog walk that must succeed; the walk
# stops at a failed one (what is left of the run ends with wine_prefix_stop).
step() {
  local name=$1
  shift
  if "$@"; then pass "$name"; return 0; fi
  fail "$name"
  return 1
}

# check_dialog KIND SHOT: waits for the dialog, checks its caption, keeps
# its screenshot.
check_dialog() {
  step "$1 dialog shown" gui_wait_dialog "$1" || return 1
  local name
  name=$(gui_window_name)
  if [[ "$name" == "SETUP V1.00.0000.0000"* ]]; then
    pass "$1 dialog: its caption [$name]"
  else
    fail "$1 dialog: caption [$name] does not begin with SETUP V1.00.0000.0000"
  fi
  gui_shot "$2"
}

# check_log_line NAME LOG REGEX: the log has a line matching the extended
# regular expression (CR removed).
check_log_line() {
  if tr -d '\r' <"$2" 2>/dev/null | grep -qE -- "$3"; then pass "$1"; else fail "$1: no line /$3/ in $2"; fi
}

check_file_text() {  # check_file_text NAME FILE TEXT
  check "$1" "$3" "$(cat "$2" 2>/dev/null || echo '<missing>')"
}

# The folder browser of the directory dialog: "..." opens it, its window
# is kept as a screenshot, and a click on BUTTON (1 OK, 2 Cancel) closes it.
BROWSER_NAME='^Browse for Folder$'
browse_and_close() {
  gui_click pathsel.browse
  step "the folder browser opens" gui_wait_window "$BROWSER_NAME" || return 1
  gui_shot_browser "$1"
  click_browser "$2"
}

gui_shot_browser() {
  local dialog=$GUI_WIN
  GUI_WIN=$(xdotool search --onlyvisible --name "$BROWSER_NAME" | head -1)
  gui_shot "$1"
  GUI_WIN=$dialog
}

# click_browser ID: a click on that button of the open browser. Under Wine
# the first click into the browser, an owned window, only activates it: it
# goes to the text above the tree first.
click_browser() {
  local browser cx cy x y w h
  browser=$(xdotool search --onlyvisible --name "$BROWSER_NAME" | head -1)
  gui_probe "Browse for Folder"
  read -r _ _ _ _ _ cx cy <<<"$(grep '^dialog ' <<<"$GUI_PROBE")"
  xdotool mousemove --window "$browser" $((cx + 20)) $((cy + 12)) click 1
  sleep 0.3
  IFS=', x' read -r x y w h <<<"$(gui_probe_control "$1" | cut -d' ' -f2)"
  xdotool mousemove --window "$browser" $((cx + x + w / 2)) $((cy + y + h / 2)) click 1
  step "the folder browser closes" _browser_gone
}

_browser_gone() {
  local i
  for ((i = 0; i < 25; i++)); do
    xdotool search --onlyvisible --name "$BROWSER_NAME" >/dev/null 2>&1 || return 0
    sleep 0.2
  done
  return 1
}

# ---- 1. directory typed by the user, newer files overwritten "always" ----------

pkg="$work/conflict"
mkdir -p "$pkg"
printf '%s\r\n' '[Version]' 'FormKw=TALVEN' '[Info]' 'URL=https://talven.example/gui' \
  '[Strings]' 'MyProgramPath=C:\Gui Proposed\App' \
  '[Files]' 'NEWER1.TXT=' 'NEWER2.TXT=' 'FRESH.TXT=' >"$pkg/GUIONE.INF"
for f in NEWER1 NEWER2 FRESH; do echo "new $f" >"$pkg/$f.TXT"; done
touch -d "$NEW_DATE" "$pkg"/*
typed_dir="$drive_c/Gui Typed/App"
record="$work/answers.txt"

# The starting state of the run and of its replay: the target directory
# holds two of the files with a later date.
prepare_conflict_state() {
  rm -rf "$drive_c/Gui Typed" "$drive_c/Gui Proposed" "$drive_c/windows/inf/GUIONE.INF"
  mkdir -p "$typed_dir"
  local f
  for f in NEWER1 NEWER2; do
    echo "old $f" >"$typed_dir/$f.TXT"
    touch -d "$OLD_DATE" "$typed_dir/$f.TXT"
  done
}

conflict_walk() {
  check_dialog continue 1-continue || return
  gui_click continue.ok
  check_dialog pathsel 1-pathsel-proposed || return
  # Nothing of a path on a missing drive exists: the browser selects
  # nothing, and its OK, which would give the desktop, changes nothing.
  gui_type_into pathsel.path 'Q:\Nowhere\App'
  browse_and_close 1-browser-nothing-selected 1
  check "OK in the browser without a selection keeps the path" 'Q:\Nowhere\App' "$(gui_probe; gui_probe_text 102)"
  gui_type_into pathsel.path 'C:\Gui Typed\App'
  gui_shot 1-pathsel-typed
  gui_click pathsel.ok
  check_dialog soc 1-soc || return
  gui_click soc.always
  gui_shot 1-soc-always-ticked
  gui_click soc.overwrite
  # "always" answers the prompt of NEWER2.TXT: the next dialog is the result.
  check_dialog logfile 1-result || return
  gui_click logfile.close
}

echo "--- directory dialog and skip-or-overwrite prompt"
prepare_conflict_state
gui_start_setup "/RECORD=$(z_path "$record")" "$(z_path "$pkg")\\GUIONE.INF"
conflict_walk
step "SETUP.EXE ends after the result dialog" gui_wait_setup_end
check "exit code" 0 "$GUI_SETUP_EXIT"
log="$typed_dir/LOGFILKW.LOG"
check_file_text "NEWER1.TXT replaced" "$typed_dir/NEWER1.TXT" "new NEWER1"
check_file_text "NEWER2.TXT replaced without a second prompt" "$typed_dir/NEWER2.TXT" "new NEWER2"
check_file_text "FRESH.TXT created" "$typed_dir/FRESH.TXT" "new FRESH"
check "the proposed directory is not made" no "$([ -e "$drive_c/Gui Proposed" ] && echo yes || echo no)"
check_log_line "log: NEWER1.TXT replaced by" "$log" \
  $'^C:\\\\Gui Typed\\\\App\\\\NEWER1\\.TXT\t5/5/2020 [^ ]+( [AP]M)?  replaced by 1/1/2020 [^ ]+( [AP]M)? $'
check_log_line "log: NEWER2.TXT replaced by" "$log" \
  $'^C:\\\\Gui Typed\\\\App\\\\NEWER2\\.TXT\t5/5/2020 .* replaced by 1/1/2020 '
check_log_line "log: FRESH.TXT created" "$log" $'^C:\\\\Gui Typed\\\\App\\\\FRESH\\.TXT\t1/1/2020 .*  created$'
check "log: no trace of the proposed directory" 0 "$(grep -c 'Gui Proposed' "$log" 2>/dev/null)"
check "recorded answers" \
  $'MsgBoxContinue=1\nPathSel=1,C:\\Gui Typed\\App\nMsgBoxSOC=4,always\nMsgBoxLogFile=1' \
  "$(tr -d '\r' <"$record" 2>/dev/null | grep -v '^;')"
cp "$log" "$work/interactive.log" 2>/dev/null
wine_prefix_stop

# Escape in the directory dialog cancels: the run ends silently, without a
# log or a result dialog, and nothing is installed.
cancel_walk() {
  check_dialog continue 1-continue-again || return
  gui_key Return
  check_dialog pathsel 1-pathsel-before-escape || return
  gui_key Escape
}

echo "--- Escape in the directory dialog"
prepare_conflict_state
gui_start_setup "$(z_path "$pkg")\\GUIONE.INF"
cancel_walk
step "SETUP.EXE ends without a result dialog" gui_wait_setup_end
check "cancelled: exit code" 0 "$GUI_SETUP_EXIT"
check "cancelled: no log" no "$([ -e "$typed_dir/LOGFILKW.LOG" ] && echo yes || echo no)"
check_file_text "cancelled: NEWER1.TXT kept" "$typed_dir/NEWER1.TXT" "old NEWER1"
check "cancelled: the proposed directory is not made" no "$([ -e "$drive_c/Gui Proposed" ] && echo yes || echo no)"
wine_prefix_stop

# ---- 2. the recorded answers replayed silently ----------------------------------

echo "--- the recorded answers replayed with /S"
prepare_conflict_state
wine_run "$SETUP_EXE" /S "/ANSWERS=$(z_path "$record")" "$(z_path "$pkg")\\GUIONE.INF"
check "replay: exit code" 0 "$RUN_EXIT"
for f in NEWER1 NEWER2 FRESH; do
  check_file_text "replay: $f.TXT" "$typed_dir/$f.TXT" "new $f"
done
check "replay: the same log" "$(normalised_log "$work/interactive.log")" "$(normalised_log "$log")"
wine_prefix_stop

# ---- 3. the example package -----------------------------------------------------

example="$work/example"
cp -r "$example_src" "$example"
find "$example" -type f -exec touch -d "$NEW_DATE" {} +
demo_dir="$drive_c/Program Files/Talven Demo"
rm -rf "$demo_dir" "$drive_c/Gui Backup"
example_inf="$(z_path "$example")\\APP.INF"

notepad_shown() {  # notepad_shown FILE: a notepad window shows FILE
  gui_wait_window "^$1 - Notepad\$"
}

first_example_walk() {
  step "notepad shows BEFORE.TXT" notepad_shown BEFORE.TXT
  check_dialog continue 2-continue || return
  import -window root "$GUI_ARTIFACTS/2-continue-screen.png" 2>/dev/null  # beside notepad
  gui_click continue.ok
  check_dialog pathsel 2-pathsel || return
  browse_and_close 2-browser-first 1
  check "\"...\" and OK in the browser give the proposed directory" \
    'C:\Program Files\Talven Demo' "$(gui_probe; gui_probe_text 102)"
  gui_click pathsel.ok
  check_dialog logfile 2-result-first || return
  step "notepad shows AFTER.TXT" notepad_shown AFTER.TXT
  check "the notepad of BEFORE.TXT is closed by the run" "" \
    "$(xdotool search --onlyvisible --name '^BEFORE.TXT - Notepad$' 2>/dev/null)"
  gui_click logfile.close
}

echo "--- the example package, first installation"
gui_start_setup "$example_inf"
first_example_walk
step "SETUP.EXE ends after the result dialog" gui_wait_setup_end
check "example: exit code" 0 "$GUI_SETUP_EXIT"
demo_log="$demo_dir/LOGFILKW.LOG"
check_log_line "example: TALVDEMO.EXE created" "$demo_log" \
  $'^C:\\\\Program Files\\\\Talven Demo\\\\TALVDEMO\\.EXE\t1\\.02\\.0000\\.0007 04E40409 created$'
check_log_line "example: a sample of a subdirectory created" "$demo_log" \
  $'^C:\\\\Program Files\\\\Talven Demo\\\\samples\\\\basic\\\\HELLO\\.TXT\t1/1/2020 .*  created$'
wine_prefix_stop

# A newer TALVDEMO.EXE (product version 1.2.0.9) and a README.TXT of a later
# date lie installed.
perl -0777 -pi -e 's/(\xBD\x04\xEF\xFE.{16})\x07\x00\x00\x00/${1}\x09\x00\x00\x00/s' "$demo_dir/TALVDEMO.EXE"
newer_exe_sum=$(md5sum <"$demo_dir/TALVDEMO.EXE")
echo "old README" >"$demo_dir/README.TXT"
touch -d "$OLD_DATE" "$demo_dir/README.TXT"

second_example_walk() {
  check_dialog continue 3-continue || return
  gui_click continue.ok
  check_dialog pathsel 3-pathsel || return
  gui_click pathsel.ok
  check_dialog soc 3-soc-version || return
  local unticked_box unticked_always
  unticked_box=$(gui_region_sum soc.backup box)
  unticked_always=$(gui_region_sum soc.always box)
  disabled_path=$(gui_region_sum soc.path)
  gui_click soc.backup
  gui_shot 3-soc-backup-ticked
  ticked_box=$(gui_region_sum soc.backup box)
  enabled_path=$(gui_region_sum soc.path)
  check "\"with Backup to\" ticked by a click" yes "$([ "$ticked_box" != "$unticked_box" ] && echo yes)"
  check "the backup path enabled with it" yes "$([ "$enabled_path" != "$disabled_path" ] && echo yes)"
  gui_click soc.skip
  check_dialog soc 3-soc-date || return
  check "the next prompt keeps \"with Backup to\" ticked" "$ticked_box" "$(gui_region_sum soc.backup box)"
  check "the next prompt keeps the backup path enabled" "$enabled_path" "$(gui_region_sum soc.path)"
  check "the next prompt keeps \"always\" unticked" "$unticked_always" "$(gui_region_sum soc.always box)"
  gui_type_into soc.path 'C:\Gui Backup'
  gui_shot 3-soc-date-backup-typed
  gui_click soc.overwrite
  check_dialog logfile 3-result-second || return
  gui_click logfile.close
}

echo "--- the example package over a newer TALVDEMO.EXE and README.TXT"
gui_start_setup "$example_inf"
second_example_walk
step "SETUP.EXE ends after the result dialog" gui_wait_setup_end
check "example again: exit code" 0 "$GUI_SETUP_EXIT"
check "the newer TALVDEMO.EXE skipped" "$newer_exe_sum" "$(md5sum <"$demo_dir/TALVDEMO.EXE")"
check_log_line "example again: TALVDEMO.EXE not replaced by" "$demo_log" \
  $'^C:\\\\Program Files\\\\Talven Demo\\\\TALVDEMO\\.EXE\t1\\.02\\.0000\\.0009 04E40409 not replaced by 1\\.02\\.0000\\.0007 04E40409$'
check "README.TXT overwritten" "$(cat "$example/README.TXT")" "$(cat "$demo_dir/README.TXT" 2>/dev/null)"
check_file_text "the old README.TXT saved as backup" "$drive_c/Gui Backup/README.TXT" "old README"
check_log_line "example again: README.TXT backup logged" "$demo_log" \
  $'^C:\\\\Program Files\\\\Talven Demo\\\\README\\.TXT\t backup saved as C:\\\\Gui Backup\\\\README\\.TXT$'
check_log_line "example again: README.TXT replaced by" "$demo_log" \
  $'^C:\\\\Program Files\\\\Talven Demo\\\\README\\.TXT\t5/5/2020 .* replaced by 1/1/2020 '
check_log_line "example again: the other files refreshed" "$demo_log" \
  $'^C:\\\\Program Files\\\\Talven Demo\\\\help\\\\FAQ\\.TXT\t1/1/2020 .*  refreshed$'

wine_prefix_stop

# ---- 4. long texts ------------------------------------------------------------

# long_path PREFIX LENGTH: PREFIX followed by folder levels, LENGTH characters.
long_path() {
  local path=$1 level=1
  while [ ${#path} -lt "$2" ]; do path+="\\Level $level of a deep folder tree"; level=$((level + 1)); done
  path=${path:0:$2}
  [[ "$path" == *[\\\ ] ]] && path="${path:0:$(($2 - 1))}x"
  printf '%s' "$path"
}
host_of() { local p=${1#C:\\}; printf '%s/%s' "$drive_c" "${p//\\//}"; }

long_title="Talven Long Demo 2.0.1 brings a new viewer, faster imports, a reworked help and many small fixes asked for by our users!"
long_url="https://talven.example/releases/2026/talven-long-demo/notes-for-this-version/everything-that-changed-since-1.0.html?l=en"
long_dir=$(long_path 'C:\Talven Long\Install' 87)         # its log: 100 characters
kept_dir=$(long_path 'C:\Talven Long\Installed Before' 192)  # its OLD.TXT: 200
long_pkg="$work/long"
mkdir -p "$long_pkg"
printf '%s\r\n' '[Version]' 'FormKw=TALVEN' '[Info]' "BeforeTitle=$long_title" "URL=$long_url" \
  '[Strings]' "MyProgramPath=$long_dir" '[Files]' "OLD.TXT=$kept_dir" 'NEW.TXT=' >"$long_pkg/LONG.INF"
echo "new OLD" >"$long_pkg/OLD.TXT"
echo "new NEW" >"$long_pkg/NEW.TXT"
touch -d "$NEW_DATE" "$long_pkg"/*
rm -rf "$drive_c/Talven Long"
mkdir -p "$(host_of "$kept_dir")"
echo "old OLD" >"$(host_of "$kept_dir")/OLD.TXT"
touch -d "$OLD_DATE" "$(host_of "$kept_dir")/OLD.TXT"
check "the long texts have their lengths" "120 120 100 200" \
  "${#long_title} ${#long_url} $((${#long_dir} + 13)) $((${#kept_dir} + 8))"

# check_texts_whole NAME: every static text of the open dialog fits.
check_texts_whole() {
  if gui_probe; then pass "$1: every text shown whole"; else fail "$1: a text is cut:"$'\n'"$GUI_PROBE"; fi
}

long_walk() {
  check_dialog continue 4-continue-long || return
  check_texts_whole "continue prompt"
  check "continue prompt: title and question" "$long_title\\rContinue Installation?" "$(gui_probe_text 101)"
  check "continue prompt: the URL" "$long_url" "$(gui_probe_text 107)"
  local top
  top=$(sed -n 's/^dialog [0-9-]* \([0-9-]*\) .*/\1/p' <<<"$GUI_PROBE")
  check "continue prompt: low on the screen" yes "$([ "${top:-0}" -ge 384 ] && echo yes)"
  check "continue prompt: the link is blue" yes \
    "$([ "$(convert "$GUI_ARTIFACTS/4-continue-long.png" txt:- 2>/dev/null | grep -ci '#0000FF')" -gt 0 ] && echo yes)"
  gui_key Return
  check_dialog pathsel 4-pathsel-long || return
  gui_probe
  check "directory dialog: the focus in the path" yes "$(gui_probe_has 102 focus && echo yes)"
  check "directory dialog: the proposal" "$long_dir" "$(gui_probe_text 102)"
  browse_and_close 4-browser-deep 1
  check "\"...\" and OK on a deep missing folder give the proposal" "$long_dir" "$(gui_probe; gui_probe_text 102)"
  browse_and_close 4-browser-cancelled 2
  check "a cancelled browser keeps the path" "$long_dir" "$(gui_probe; gui_probe_text 102)"
  gui_click pathsel.ok
  check_dialog soc 4-soc-long || return
  check_texts_whole "skip-or-overwrite prompt"
  local question
  question=$(gui_probe_text 101)
  check "skip-or-overwrite prompt: the whole question" yes \
    "$([[ "$question" == "The file \"$kept_dir\\OLD.TXT\" in your system has the Date "*", you should skip!" ]] && echo yes)"
  check "skip-or-overwrite prompt: \"Skip copy\" is the only default" "1" \
    "$(grep -E '^[0-9]+ Button .* default' <<<"$GUI_PROBE" | cut -d' ' -f1 | tr '\n' ' ' | sed 's/ $//')"
  check "skip-or-overwrite prompt: the focus on \"Skip copy\"" yes "$(gui_probe_has 1 focus && echo yes)"
  gui_key Return
  check_dialog logfile 4-result-long || return
  check_texts_whole "result dialog"
  check "result dialog: a cancelled browser is no failure" "Installation successfully!" "$(gui_probe_text 101)"
  check "result dialog: the log path" "$long_dir\\LOGFILKW.LOG" "$(gui_probe_text 107)"
  gui_key Return
}

echo "--- long texts"
gui_start_setup "$(z_path "$long_pkg")\\LONG.INF"
long_walk
step "SETUP.EXE ends after the result dialog" gui_wait_setup_end
check "long texts: exit code" 0 "$GUI_SETUP_EXIT"
check_file_text "Enter in the prompt keeps the installed file" "$(host_of "$kept_dir")/OLD.TXT" "old OLD"
check_file_text "NEW.TXT in the proposed directory" "$(host_of "$long_dir")/NEW.TXT" "new NEW"
check "nothing installed on the desktop" 0 "$(find "$drive_c/users" -path '*Desktop*' -name NEW.TXT | wc -l)"
check "long texts: OLD.TXT not replaced by" 1 \
  "$(tr -d '\r' <"$(host_of "$long_dir")/LOGFILKW.LOG" | grep -F "$kept_dir\\OLD.TXT"$'\t' | grep -c ' not replaced by ')"

gui_stop
echo "GUI test took $((SECONDS - test_started)) s; screenshots in $GUI_ARTIFACTS"
finish
