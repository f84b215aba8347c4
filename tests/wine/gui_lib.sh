# Helpers of the Wine GUI tests: SETUP.EXE driven as a user drives it, on a
# private Xvfb display, with xdotool for clicks and keys and ImageMagick's
# `import` for screenshots. Sourced after lib.sh, not run.
#
# Wine paints no child windows of its own to X: the dialogs' controls are
# not X windows. A dialog is therefore recognised by its caption and by the
# size of its top-level window, which follows from its template; a control
# is reached by a click at the centre of its rectangle in dialog units.
# shellcheck shell=bash

# Seconds a dialog may take to appear, and a whole GUI run to end.
GUI_WAIT=${GUI_WAIT:-40}
GUI_RUN_TIMEOUT=${GUI_RUN_TIMEOUT:-180}

GUI_ARTIFACTS="$SETUP_WIN_BUILD/gui-artifacts"
GUI_XVFB_PID=
GUI_SETUP_PID=
GUI_SETUP_EXIT=
GUI_WIN=
GUI_SEEN=" "

# Every dialog's caption begins so.
GUI_CAPTION_RE='^SETUP V'

# ---- geometry ---------------------------------------------------------------

# Dialog base units of the system font (the templates name no font) and the
# frame that Wine draws itself around an undecorated modal dialog: pixels =
# dialog units x 9 / 4 across and x 16 / 8 down, plus 3 pixels of border on
# each side and a caption of 19 pixels.
GUI_BASE_X=9
GUI_BASE_Y=16
GUI_BORDER=3
GUI_CAPTION=19

# Template sizes in dialog units.
declare -A GUI_TEMPLATE=(
  [continue]="174 68"
  [logfile]="203 93"
  [soc]="183 83"
  [pathsel]="187 63"
)

# Control rectangles (x y width height, dialog units), as in the templates.
declare -A GUI_CONTROL=(
  [continue.ok]="34 34 31 14"
  [continue.cancel]="100 34 33 14"
  [logfile.close]="136 71 59 14"
  [logfile.showlog]="10 62 58 14"
  [soc.always]="39 31 39 12"
  [soc.skip]="8 43 41 14"
  [soc.overwrite]="59 43 55 14"
  [soc.backup]="59 57 63 12"
  [soc.path]="5 67 157 11"
  [soc.browse]="166 67 12 10"
  [soc.cancel]="123 43 56 14"
  [pathsel.ok]="31 44 38 15"
  [pathsel.cancel]="86 44 43 15"
  [pathsel.path]="7 26 149 12"
  [pathsel.browse]="162 27 15 9"
)

_du_x() { echo $(( ($1 * GUI_BASE_X + 2) / 4 )); }  # rounded as MulDiv does
_du_y() { echo $(( ($1 * GUI_BASE_Y + 4) / 8 )); }

# gui_expected_size KIND: "WIDTHxHEIGHT" of the dialog's X window.
gui_expected_size() {
  local w h
  read -r w h <<<"${GUI_TEMPLATE[$1]}"
  echo "$(( $(_du_x "$w") + 2 * GUI_BORDER ))x$(( $(_du_y "$h") + 2 * GUI_BORDER + GUI_CAPTION ))"
}

_window_size() {
  local WIDTH HEIGHT X Y SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$1" 2>/dev/null)" || return 1
  echo "${WIDTH}x${HEIGHT}"
}

# ---- the display --------------------------------------------------------------

# Starts a private Xvfb on a free display number and points DISPLAY at it;
# skips the whole test when the tools are missing.
gui_start_display() {
  local tool
  for tool in Xvfb xdotool import; do
    command -v "$tool" >/dev/null || skip_all "no $tool (scripts/install-deps.sh installs it)"
  done
  mkdir -p "$GUI_ARTIFACTS"
  local number_file
  number_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
  GUI_XVFB_PID=$!
  local i
  for ((i = 0; i < 100; i++)); do
    [ -s "$number_file" ] && break
    sleep 0.1
  done
  local number
  number=$(tr -dc '0-9' <"$number_file")
  rm -f "$number_file"
  [ -n "$number" ] || { gui_stop; skip_all "Xvfb did not start"; }
  export DISPLAY=":$number"
  trap gui_stop EXIT
}

# Ends what the test started: the programs of the prefix, then the display.
gui_stop() {
  wine_prefix_stop
  if [ -n "$GUI_XVFB_PID" ]; then
    kill "$GUI_XVFB_PID" 2>/dev/null
    wait "$GUI_XVFB_PID" 2>/dev/null
    GUI_XVFB_PID=
  fi
}

# Wine draws the caption and frame itself (there is no window manager), so
# that the screenshots show the caption.
gui_prefix_setup() {
  wine_run reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f
  [ "$RUN_EXIT" -eq 0 ]
}

# ---- the program ------------------------------------------------------------

# gui_start_setup ARGS...: starts SETUP.EXE in the background.
gui_start_setup() {
  GUI_SETUP_EXIT=
  GUI_SEEN=" "
  timeout --kill-after=5 "$GUI_RUN_TIMEOUT" wine "$SETUP_EXE" "$@" \
    >"$GUI_ARTIFACTS/setup.out" 2>"$GUI_ARTIFACTS/setup.err" </dev/null &
  GUI_SETUP_PID=$!
}

_setup_running() { [ -n "$GUI_SETUP_PID" ] && kill -0 "$GUI_SETUP_PID" 2>/dev/null; }

# gui_wait_setup_end: waits (bounded) for SETUP.EXE to end; its exit code in
# GUI_SETUP_EXIT. Returns non-zero when it had to be killed.
gui_wait_setup_end() {
  local deadline=$((SECONDS + GUI_WAIT))
  while _setup_running && [ "$SECONDS" -lt "$deadline" ]; do sleep 0.2; done
  if _setup_running; then
    wine_prefix_stop
    wait "$GUI_SETUP_PID" 2>/dev/null
    GUI_SETUP_EXIT=killed
    return 1
  fi
  wait "$GUI_SETUP_PID"
  GUI_SETUP_EXIT=$?
  GUI_SETUP_PID=
  return 0
}

# ---- windows ----------------------------------------------------------------

# The visible top-level windows, one "id size name" a line, for reports.
gui_window_list() {
  local w
  for w in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
    echo "    $w $(_window_size "$w") $(xdotool getwindowname "$w" 2>/dev/null)"
  done
}

# _is_dialog_size KIND SIZE: the window has the template's width and at
# least its height (a dialog grows down to show a long text whole).
_is_dialog_size() {
  local want_w want_h got_w got_h
  IFS=x read -r want_w want_h <<<"$(gui_expected_size "$1")"
  IFS=x read -r got_w got_h <<<"$2"
  [ "$got_w" == "$want_w" ] && [ "${got_h:-0}" -ge "$want_h" ]
}

# gui_wait_dialog KIND: waits for a dialog of that template that was not
# handled before; its window id in GUI_WIN. On a timeout the screen goes to
# timeout-KIND.png and the windows are listed.
gui_wait_dialog() {
  local kind=$1 want deadline w
  want=$(gui_expected_size "$kind")
  deadline=$((SECONDS + GUI_WAIT))
  while [ "$SECONDS" -lt "$deadline" ]; do
    for w in $(xdotool search --onlyvisible --name "$GUI_CAPTION_RE" 2>/dev/null); do
      [[ "$GUI_SEEN" == *" $w "* ]] && continue
      if _is_dialog_size "$kind" "$(_window_size "$w")"; then
        GUI_WIN=$w
        GUI_SEEN+="$w "
        return 0
      fi
    done
    _setup_running || break
    sleep 0.2
  done
  echo "    no $kind dialog ($want) appeared; windows:"
  gui_window_list
  import -window root "$GUI_ARTIFACTS/timeout-$kind.png" 2>/dev/null
  return 1
}

# gui_wait_window NAME_REGEX: waits for a visible window of that name.
gui_wait_window() {
  timeout "$GUI_WAIT" xdotool search --sync --onlyvisible --name "$1" >/dev/null 2>&1
}

gui_window_name() { xdotool getwindowname "$GUI_WIN" 2>/dev/null; }

# Control ids of the rectangles above, to find a control in a dialog that
# grew to show a long text (its controls below that text have moved).
declare -A GUI_CONTROL_ID=(
  [continue.ok]=1 [continue.cancel]=2 [logfile.close]=1 [logfile.showlog]=106
  [soc.always]=105 [soc.skip]=1 [soc.overwrite]=4 [soc.backup]=104 [soc.path]=102
  [soc.browse]=103 [soc.cancel]=2 [pathsel.ok]=1 [pathsel.cancel]=2 [pathsel.path]=102
  [pathsel.browse]=103
)

# _control_px KIND.CONTROL: "x y width height" of the control in client
# pixels: from the template while the dialog has the template's size, else
# as dialog_probe finds it.
_control_px() {
  local x y w h
  if [ "$(_window_size "$GUI_WIN")" != "$(gui_expected_size "${1%%.*}")" ]; then
    gui_probe >/dev/null
    gui_probe_control "${GUI_CONTROL_ID[$1]}" |
      sed -E 's/^[^ ]+ (-?[0-9]+),(-?[0-9]+),([0-9]+)x([0-9]+).*/\1 \2 \3 \4/'
    return
  fi
  read -r x y w h <<<"${GUI_CONTROL[$1]}"
  echo "$(_du_x "$x") $(_du_y "$y") $(_du_x "$w") $(_du_y "$h")"
}

# gui_click KIND.CONTROL: a left click at the centre of the control.
gui_click() {
  local x y w h
  read -r x y w h <<<"$(_control_px "$1")"
  xdotool mousemove --window "$GUI_WIN" $((GUI_BORDER + x + w / 2)) $((GUI_BORDER + GUI_CAPTION + y + h / 2)) click 1
  sleep 0.2
}

# gui_type_into KIND.CONTROL TEXT: clicks into an edit, selects all its text
# and types over it.
gui_type_into() {
  gui_click "$1"
  xdotool key ctrl+a
  xdotool type --delay 15 "$2"
  sleep 0.2
}

# gui_shot NAME: the dialog's window as NAME.png among the artifacts, once
# two captures in a row agree (the dialog has finished painting).
gui_shot() {
  local file="$GUI_ARTIFACTS/$1.png" previous= current i
  for ((i = 0; i < 20; i++)); do
    sleep 0.25
    import -window "$GUI_WIN" -define png:exclude-chunk=date,time "$file" 2>/dev/null || continue
    current=$(md5sum <"$file")
    [ "$current" == "$previous" ] && return 0
    previous=$current
  done
  return 0
}

# gui_region_sum KIND.CONTROL [box]: a checksum of the pixels inside the
# control's rectangle (3 pixels in from each side, 5 from the top: the check
# box above the backup path overlaps its edit by two dialog units, and which
# of the two painted last differs), or with "box" of a check box's square alone (not the
# focus frame around its text), to compare the states of a control.
gui_region_sum() {
  local x y w h
  read -r x y w h <<<"$(_control_px "$1")"
  local px=$((GUI_BORDER + x)) py=$((GUI_BORDER + GUI_CAPTION + y)) pw=$w ph=$h
  if [ "${2:-}" == box ]; then
    py=$((py + ph / 2 - 7)) pw=14 ph=14
  else
    px=$((px + 3)) py=$((py + 5)) pw=$((pw - 6)) ph=$((ph - 8))
  fi
  import -window "$GUI_WIN" -crop "${pw}x${ph}+${px}+${py}" rgb:- 2>/dev/null | md5sum | cut -c1-32
}

# gui_key KEY: a key pressed in the dialog (given the input focus first:
# without a window manager nothing else gives it).
gui_key() {
  xdotool windowfocus --sync "$GUI_WIN" 2>/dev/null
  xdotool key "$1"
  sleep 0.2
}

# ---- a look inside the dialog -------------------------------------------------

GUI_PROBE_EXE="$SETUP_WIN_BUILD/dialog_probe.exe"
GUI_PROBE=

# gui_probe [CAPTION]: the open dialog (SETUP's, or the one whose caption
# begins so) as dialog_probe sees it (its lines in GUI_PROBE, CR removed);
# returns its exit code: 0 when every static text fits its control and the
# dialog, 3 when one is cut.
gui_probe() {
  GUI_PROBE=$(timeout 30 wine "$GUI_PROBE_EXE" "$@" 2>/dev/null | tr -d '\r')
  return "${PIPESTATUS[0]}"
}

# gui_probe_control ID: the probe's line of that control (without the id).
gui_probe_control() {
  sed -n "s/^$1 //p" <<<"$GUI_PROBE" | head -1
}

# gui_probe_text ID: the text of that control.
gui_probe_text() {
  gui_probe_control "$1" | sed -n 's/^[^"]*"\(.*\)"$/\1/p'
}

# gui_probe_has ID MARK: the control carries the mark (default, focus,
# disabled, fits).
gui_probe_has() {
  [[ " $(gui_probe_control "$1" | sed 's/ ".*//') " == *" $2 "* ]]
}
