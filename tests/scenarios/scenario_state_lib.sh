# Scenario helpers for the machine's state beyond its files: registry values
# put in place before a run and read back after it, shell links read back
# with lnkinfo, and a user without administrator rights. A scenario that
# needs them sources this file:
#
#   source "$SCEN_DIR/scenario_state_lib.sh"
#
# Both builds keep their registry in text files that these helpers edit and
# read directly, so no extra program runs inside the machine:
#   native  $SCEN_ROOT/registry.reg (REGEDIT4, full root names)
#   Wine    $SCEN_ROOT/system.reg (HKLM, HKCR as HKLM\Software\Classes) and
#           user.reg (HKCU), written by wineserver when it exits.
# shellcheck shell=bash

SCEN_STATE_TOOL="$SCEN_DIR/reg_state.py"

# put_reg KEY NAME TYPE DATA: a value in the registry before the run.
# KEY is ROOT\path with ROOT one of HKLM, HKCU, HKCR; NAME "" is the key's
# default value; TYPE is sz, expand_sz or dword (DATA as hex digits).
put_reg() {
  python3 "$SCEN_STATE_TOOL" put "$SCEN_BUILD" "$SCEN_ROOT" "$1" "$2" "$3" "$4"
}

# put_non_admin: the user may not change HKEY_LOCAL_MACHINE. The native
# machine only: a Wine prefix run by one Unix user cannot take that right.
put_non_admin() { : >"$SCEN_ROOT/non-admin"; }

# Waits until Wine has written its registry files: wineserver saves them
# when it exits, a few seconds after the last program of the prefix.
scen_wine_settled() {
  [ "$SCEN_BUILD" = wine ] || return 0
  WINEPREFIX="$SCEN_ROOT" timeout 60 wineserver -w >/dev/null 2>&1
}

# report_reg KEY...: each key with its values and subkeys, in the report.
report_reg() {
  local key
  scen_wine_settled
  for key in "$@"; do
    python3 "$SCEN_STATE_TOOL" dump "$SCEN_BUILD" "$SCEN_ROOT" "$key" "$SCEN_USER" \
      >>"$SCEN_REPORT"
  done
}

# The user's own folders in WINPATH arguments: %USER% is the user's name.
scen_user_path() { local win=${1//%USER%/$SCEN_USER}; scen_tokens "$win"; }

# Report lines that name the user's folders or the package are the same for
# every user and scratch folder.
scen_state_normalise() { scen_normalise | sed 's/<LF>$//'; }

# report_link WINPATH...: the fields of each link as lnkinfo reads them.
SCEN_LINK_FIELDS=("Local path" "Command line arguments" "Working directory" "Icon location" "Icon index")
report_link() {
  local win host field value
  for win in "$@"; do
    win=$(scen_user_path "$win")
    host=$(scen_host_path "$win")
    if [ ! -f "$host" ]; then
      echo "link $win: absent" | scen_state_normalise >>"$SCEN_REPORT"
      continue
    fi
    {
      echo "link $win"
      for field in "${SCEN_LINK_FIELDS[@]}"; do
        value=$(lnkinfo "$host" 2>/dev/null | awk -F'\t: ' -v name="$field" '
          { key = $1; sub(/^\t/, "", key); sub(/\t.*$/, "", key) }
          key == name && !done { print $2; done = 1 }')
        printf '  %s: %s\n' "$field" "$value"
      done
    } | scen_state_normalise >>"$SCEN_REPORT"
  done
}

# report_tree WINPATH...: as WATCH, also for paths in the user's own
# folders; a link is listed without its size and checksum, which hold what
# each build's shell writes besides the fields (report_link shows those).
report_tree() {
  local win
  for win in "$@"; do
    scen_report_tree "$(scen_user_path "$win")" | scen_state_normalise |
      sed -E 's/(\.lnk)  [0-9]+ bytes  [^ ]+  /\1  (link)  /I' >>"$SCEN_REPORT"
  done
}

# stamp_file WINPATH "YYYY-MM-DD hh:mm:ss": sets a last-write time (UTC)
# between runs, so that a date text the next run logs is the same on both.
stamp_file() { scen_stamp "$(scen_host_path "$(scen_user_path "$1")")" "$2"; }
