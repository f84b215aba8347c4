# Scenario runner: runs one installation scenario on a machine of one build
# and writes a normalised report of what the run did (exit codes, standard
# error, logs, installed files). Sourced by run.sh; not run on its own.
#
# A scenario is a folder tests/scenarios/NAME/ with
#   scenario.sh   sourced in a subshell; it may define
#                   package   makes the package in $PKG (pkg_* helpers)
#                   machine   the machine's state before the run (put_* helpers)
#                   steps     the runs (run_setup ARGS...); default: one run of
#                             /S %PKG%\APP.INF
#                 and set
#                   WATCH     Windows paths (trees or files) listed in the report
#                   SHOW      files whose text goes into the report (default:
#                             the temporary directory's log)
#                   ANSWERS   text of the response file %ANSWERS%
#                   ONLY      "native" or "wine" when one build cannot do it
#   expected.txt  the report both builds must give.
#
# In arguments, WATCH and SHOW: %PKG% is the package folder, %ANSWERS% the
# response file, %RECORD% the record file, %WORK% the scenario's scratch
# folder, %TEMP% the user's temporary directory.
# shellcheck shell=bash

# ---- machine-independent helpers --------------------------------------------

# Host path -> the path a Windows program sees (Z: is the host root on both).
scen_z_path() {
  local host
  host=$(realpath -m "$1")
  host=${host//\//\\}
  printf 'Z:%s' "$host"
}

# scen_host_path WINPATH: the host path of a Windows path on the current
# machine ($SCEN_ROOT holds drive_c). Existing components are matched without
# regard to case, as the emulation and Wine do.
scen_host_path() {
  local win=$1 drive host part match parts=()
  drive=${win:0:1}
  drive=${drive,,}
  # A backslash is the separator here, not an escape.
  # shellcheck disable=SC2141
  IFS=$'\\' read -r -a parts <<<"${win:2}"
  if [ "$drive" = z ]; then host=""; else host="$SCEN_ROOT/drive_$drive"; fi
  for part in "${parts[@]}"; do
    [ -z "$part" ] && continue
    if [ -e "$host/$part" ] || [ ! -d "${host:-/}" ]; then
      host="$host/$part"
      continue
    fi
    match=$(find "${host:-/}" -mindepth 1 -maxdepth 1 -iname "$part" -print -quit 2>/dev/null)
    host=${match:-$host/$part}
  done
  printf '%s' "${host:-/}"
}

# Expands the tokens of arguments, WATCH and SHOW entries.
scen_tokens() {
  local text=$1
  text=${text//%PKG%/$(scen_z_path "$PKG")}
  text=${text//%ANSWERS%/$(scen_z_path "$SCEN_WORK/answers.txt")}
  text=${text//%RECORD%/$(scen_z_path "$SCEN_WORK/record.txt")}
  text=${text//%WORK%/$(scen_z_path "$SCEN_WORK")}
  text=${text//%TEMP%/C:\\users\\$SCEN_USER\\Temp}
  printf '%s' "$text"
}

# scen_stamp HOSTPATH "YYYY-MM-DD hh:mm:ss": the last-write time, in UTC.
scen_stamp() { [ -z "${2:-}" ] || touch -h -d "$2 UTC" "$1"; }

# scen_attrib HOSTPATH +R +H +S: read-only is the write permission, hidden
# and system the DOS attribute that Wine and the emulation keep.
scen_attrib() {
  local path=$1 bits=0 flag
  shift
  for flag in "$@"; do
    case "$flag" in
      +R) chmod a-w "$path" ;;
      +H) bits=$((bits | 2)) ;;
      +S) bits=$((bits | 4)) ;;
    esac
  done
  [ "$bits" -eq 0 ] || setfattr -n user.DOSATTRIB -v "$(printf '"0x%x"' "$bits")" "$path"
}

# A test PE file with a version resource, made unique by a tag behind the
# image, so that the report can tell two files of one version apart.
scen_pe_file() {  # scen_pe_file DEST VERSIONNAME TAG
  local source="$SCEN_PE_DIR/${2}_pe32.dll"
  [ -f "$source" ] || source="$SCEN_PE_DIR/$2"
  cp "$source" "$1"
  printf '\n%s\n' "$3" >>"$1"
}

# ---- the package ------------------------------------------------------------

pkg_inf() {  # pkg_inf REL < text: a control file, lines ended by CR LF
  mkdir -p "$(dirname "$PKG/$1")"
  sed 's/$/\r/' >"$PKG/$1"
  scen_stamp "$PKG/$1" "${2:-2004-05-06 07:08:10}"
}
# Files without a time of their own get these, so that every file the
# scenario makes is older than the run (the report shows "new" for what the
# run wrote).
SCEN_PKG_TIME="2001-02-03 04:05:06"
SCEN_OLD_TIME="2000-01-02 03:04:06"

pkg_text() {  # pkg_text REL TEXT [TIME]
  mkdir -p "$(dirname "$PKG/$1")"
  printf '%s\r\n' "$2" >"$PKG/$1"
  scen_stamp "$PKG/$1" "${3:-$SCEN_PKG_TIME}"
}
pkg_pe() {  # pkg_pe REL VERSIONNAME [TIME]
  mkdir -p "$(dirname "$PKG/$1")"
  scen_pe_file "$PKG/$1" "$2" "pkg:$1"
  scen_stamp "$PKG/$1" "${3:-$SCEN_PKG_TIME}"
}
pkg_dir() { mkdir -p "$PKG/$1"; }
pkg_attrib() { local rel=$1; shift; scen_attrib "$PKG/$rel" "$@"; }

# ---- the machine before the run ----------------------------------------------

put_dir() { mkdir -p "$(scen_host_path "$1")"; }
scen_label_as_old() {  # scen_label_as_old WINPATH HOSTPATH
  SCEN_LABELS[$(md5sum <"$2" | cut -c1-32)]="old:$1"
}
put_text() {  # put_text WINPATH TEXT [TIME]
  local host
  host=$(scen_host_path "$1")
  mkdir -p "$(dirname "$host")"
  printf '%s\r\n' "$2" >"$host"
  scen_stamp "$host" "${3:-$SCEN_OLD_TIME}"
  scen_label_as_old "$1" "$host"
}
put_raw() {  # put_raw WINPATH [TIME] < bytes: the bytes as they are
  local host
  host=$(scen_host_path "$1")
  mkdir -p "$(dirname "$host")"
  cat >"$host"
  scen_stamp "$host" "${2:-$SCEN_OLD_TIME}"
}
put_pe() {  # put_pe WINPATH VERSIONNAME [TIME]
  local host
  host=$(scen_host_path "$1")
  mkdir -p "$(dirname "$host")"
  scen_pe_file "$host" "$2" "old:$1"
  scen_stamp "$host" "${3:-$SCEN_OLD_TIME}"
  scen_label_as_old "$1" "$host"
}
put_attrib() { local win=$1; shift; scen_attrib "$(scen_host_path "$win")" "$@"; }
# put_env NAME VALUE: a variable of the environment every run starts with
# (the native machine's environment file; the Unix environment that Wine
# hands to its programs).
put_env() {
  if [ "$SCEN_BUILD" = wine ]; then
    SCEN_ENV+=("$1=$2")
  else
    printf '%s=%s\n' "$1" "$2" >>"$SCEN_ROOT/environment"
  fi
}

# ---- runs --------------------------------------------------------------------

SCEN_RUN_COUNT=0

# run_setup ARGS...: one run of the build's setup on the machine.
run_setup() {
  local args=() arg out err status
  for arg in "$@"; do args+=("$(scen_tokens "$arg")"); done
  out="$SCEN_WORK/stdout" err="$SCEN_WORK/stderr"
  SCEN_RUN_COUNT=$((SCEN_RUN_COUNT + 1))
  if [ "$SCEN_BUILD" = wine ]; then
    env "${SCEN_ENV[@]}" WINEPREFIX="$SCEN_ROOT" timeout --kill-after=10 "${SCEN_TIMEOUT:-60}" \
      wine "$SCEN_WINE_SETUP" "${args[@]}" >"$out" 2>"$err" </dev/null
  else
    timeout --kill-after=10 "${SCEN_TIMEOUT:-60}" \
      "$SCEN_NATIVE_SETUP" --machine "$SCEN_ROOT" "${args[@]}" >"$out" 2>"$err" </dev/null
  fi
  status=$?
  # Wine's own notice when a link's target lies on Z: (it cannot read the
  # host root's volume label) is no output of the program.
  [ "$SCEN_BUILD" != wine ] || sed -i '/^wine: Read access denied for device /d' "$err"
  {
    echo "run $SCEN_RUN_COUNT: exit $status"
    scen_normalise <"$err" | sed 's/^/  stderr| /'
  } >>"$SCEN_REPORT"
}

# hold_file WINPATH: another process keeps the file open without sharing it
# until release_files. Wine only: the emulation keeps share modes per process.
SCEN_HOLDS=()
hold_file() {
  local tool signal
  tool="$(dirname "$SCEN_WINE_SETUP")/hold_file_tool.exe"
  signal="$SCEN_WORK/held-${#SCEN_HOLDS[@]}"
  SCEN_HOLDS+=("$signal")
  WINEPREFIX="$SCEN_ROOT" timeout 70 wine "$tool" "$1" "$(scen_z_path "$signal")" >/dev/null 2>&1 &
  for _ in $(seq 150); do
    [ -e "$signal" ] && return 0
    sleep 0.1
  done
  echo "hold_file: $1 is not held" >&2
  return 1
}
release_files() {
  rm -f "${SCEN_HOLDS[@]}"
  wait
}

# ---- the report ----------------------------------------------------------------

# The one place where run-dependent text is made comparable: line ends shown,
# the run's own date and time, the creation time of the control file (which
# a test cannot set), the package and scratch folders and the user's name.
scen_normalise() {
  local pkg work
  pkg=$(scen_z_path "$PKG")
  work=$(scen_z_path "$SCEN_WORK")
  PKGZ="$pkg" WORKZ="$work" SUSER="$SCEN_USER" SBUILD="$SCEN_BUILD" perl -0777 -pe '
    s/\r\n/\x01/g; s/\r/<CR>/g; s/\n/<LF>\n/g; s/\x01/\n/g;
    $_ .= "<no line end>\n" if length($_) && !/\n\z/;
    s/^Date\/Time:\t.*$/Date\/Time:\t<now>/mg;
    s/ Created:[^,\n]*, Changed:/ Created:<created>, Changed:/g;
    s/\Q$ENV{PKGZ}\E/<PKG>/gi;
    s/\Q$ENV{WORKZ}\E/<WORK>/gi;
    s/\\users\\\Q$ENV{SUSER}\E(?=\\|\b)/\\users\\<USER>/gi;
    # Wine has message texts of its own for some error codes; where a box
    # or a log line quotes one, it is compared as the Windows text.
    if ($ENV{SBUILD} eq "wine") {
      s/(\(|, |: | )File not found(\.?)(?=\)|<LF>|$)/$1The system cannot find the file specified$2/mg;
      s/(\(|, |: | )Path not found(\.?)(?=\)|<LF>|$)/$1The system cannot find the path specified$2/mg;
      s/(\(|, |: | )Access denied(\.?)(?=\)|<LF>|$)/$1Access is denied$2/mg;
    }
  '
}

# Labels of the files the scenario made, by content: pkg:REL and old:WINPATH.
declare -A SCEN_LABELS=()
scen_learn_labels() {  # scen_learn_labels HOSTDIR LABEL-PREFIX (package files)
  local file sum
  while IFS= read -r -d '' file; do
    sum=$(md5sum <"$file" | cut -c1-32)
    [ -n "${SCEN_LABELS[$sum]:-}" ] || SCEN_LABELS[$sum]="$2${file#"$1"/}"
  done < <(find "$1" -type f -print0 | sort -z)
}

scen_attr_text() {  # R H S of a host path, "-" for none
  local path=$1 mode dos out=""
  mode=$(stat -c %a "$path")
  (( (8#$mode & 8#200) == 0 )) && out+=R
  dos=$(getfattr --only-values -n user.DOSATTRIB "$path" 2>/dev/null | tr -d '\0')
  if [[ "$dos" =~ ^0[xX][0-9a-fA-F]+$ ]]; then
    (( dos & 2 )) && out+=H
    (( dos & 4 )) && out+=S
  fi
  printf '%s' "${out:--}"
}

scen_time_text() {  # last-write time in UTC, or "new" for a time of this run
  local t
  t=$(stat -c %Y "$1")
  if [ "$t" -ge "$SCEN_START" ]; then printf 'new'; else date -u -d "@$t" '+%Y-%m-%d %H:%M:%S'; fi
}

scen_is_shown() {  # scen_is_shown WINPATH: its text is in the report
  local entry
  for entry in "${SHOW[@]}"; do
    [ "${entry,,}" = "${1,,}" ] && return 0
  done
  return 1
}

scen_describe() {  # scen_describe WINPATH HOSTPATH: one line of a tree
  local win=$1 host=$2 sum label
  if [ -d "$host" ]; then
    printf '  %s\\  dir  %s\n' "$win" "$(scen_attr_text "$host")"
    return
  fi
  if scen_is_shown "$win" || [[ "${win,,}" == *'\logfilkw.log' ]]; then
    label="(text shown)"
    printf '  %s  %s  %s  %s\n' "$win" "$label" "$(scen_time_text "$host")" "$(scen_attr_text "$host")"
    return
  fi
  sum=$(md5sum <"$host" | cut -c1-32)
  label=${SCEN_LABELS[$sum]:-md5:${sum:0:12}}
  printf '  %s  %s bytes  %s  %s  %s\n' "$win" "$(stat -c %s "$host")" "$label" \
    "$(scen_time_text "$host")" "$(scen_attr_text "$host")"
}

scen_report_tree() {  # scen_report_tree WINPATH
  local win host rel entry
  win=$(scen_tokens "$1")
  host=$(scen_host_path "$win")
  if [ ! -e "$host" ]; then
    echo "tree $1: absent"
    return
  fi
  echo "tree $1"
  if [ ! -d "$host" ]; then
    scen_describe "$win" "$host"
    return
  fi
  while IFS= read -r entry; do
    rel=${entry#"$host"/}
    scen_describe "$win\\${rel//\//\\}" "$entry"
  done < <(find "$host" -mindepth 1 | LC_ALL=C sort -f)
}

scen_report_text() {  # scen_report_text WINPATH
  local win host
  win=$(scen_tokens "$1")
  host=$(scen_host_path "$win")
  if [ ! -f "$host" ]; then
    echo "text $1: absent"
    return
  fi
  echo "text $1"
  scen_normalise <"$host" | sed 's/^/  | /'
}

# ---- one scenario on one build -------------------------------------------------

# scen_run_one SCENARIO_DIR BUILD MACHINE_ROOT WORK REPORT: makes the
# package and the machine's state, runs the steps and writes the report.
scen_run_one() {
  local dir=$1
  SCEN_BUILD=$2 SCEN_ROOT=$3 SCEN_WORK=$4 SCEN_REPORT=$5
  PKG="$SCEN_WORK/pkg"
  mkdir -p "$PKG"
  : >"$SCEN_REPORT"
  # shellcheck disable=SC2034  # read by the scenario and by run.sh
  WATCH=() SHOW=('%TEMP%\LOGFILKW.LOG') ANSWERS="" ONLY=""
  package() { :; }
  machine() { :; }
  steps() { run_setup /S '%PKG%\APP.INF'; }
  # shellcheck disable=SC1091
  source "$dir/scenario.sh"
  SCEN_LABELS=() SCEN_ENV=()
  package
  machine
  [ -z "$ANSWERS" ] || printf '%s\n' "$ANSWERS" | sed 's/$/\r/' >"$SCEN_WORK/answers.txt"
  scen_learn_labels "$PKG" "pkg:"
  # The scenario's own files carry times of the past; what the run writes
  # is not older than this.
  SCEN_START=$(date +%s)
  steps
  local entry
  for entry in "${SHOW[@]}"; do scen_report_text "$entry" >>"$SCEN_REPORT"; done
  for entry in "${WATCH[@]}"; do scen_report_tree "$entry" >>"$SCEN_REPORT"; done
  if [ -f "$SCEN_WORK/record.txt" ]; then
    echo "text %RECORD%" >>"$SCEN_REPORT"
    scen_normalise <"$SCEN_WORK/record.txt" | sed 's/^/  | /' >>"$SCEN_REPORT"
  fi
}
