# Shared steps of the end-to-end scenarios. A scenario runs PELLINO.EXE from a temporary folder of
# its own and drives it with pellino-e2e.exe; any failed check ends it with a message.
set -euo pipefail
source "$PELLINO_ROOT/scripts/wine-env"
# PELLINO_WIN32_DIR: another build folder of the win32 programs than build/win32.
WIN32_DIR=${PELLINO_WIN32_DIR:-$PELLINO_ROOT/build/win32}
E2E="$WIN32_DIR/pellino-e2e.exe"
PROGRAM_PID=
APP_DIR=$(mktemp -d)
trap 'e2e_cleanup' EXIT

fail() {
  echo "FAILED: $*" >&2
  # What the driver said about its last command, without Wine's own messages.
  if [ -s "$APP_DIR/drive.err" ]; then
    grep -Ev '^[0-9a-f]{4}:(fixme|err|warn|trace):' "$APP_DIR/drive.err" | sed 's/^/    driver: /' >&2 || true
  fi
  exit 1
}

# Ends the scenario as stopped by the machine rather than by the program: a display that did not
# start, a window that did not come up in time while its process ran. The runner runs such a
# scenario once more and names it; every other failure counts at once.
env_fail() {
  echo "ENVIRONMENT: $*" >&2
  exit 75
}

# Ends the scenario as skipped: $1 is a short key, $2 the reason. The runner fails the suite on a
# skip unless the key is one it allows on some machines (scripts/test-wine, the README).
skip_scenario() {
  echo "SKIP $1: $2"
  exit 77
}

e2e_cleanup() {
  # A launched program is no child of this shell: ask it to close, and end the prefix's
  # processes, so no copy holding the single-copy mutex outlives the scenario.
  if [ -n "${LAUNCHED:-}" ]; then
    drive close "Pellino!" >/dev/null 2>&1 || true
    sleep 1
    wineserver -k 2>/dev/null || true
  fi
  if [ -n "$PROGRAM_PID" ] && kill -0 "$PROGRAM_PID" 2>/dev/null; then
    drive close "Pellino!" >/dev/null 2>&1 || true
    sleep 1
    kill "$PROGRAM_PID" 2>/dev/null || true
  fi
  if [ -n "${WINDOWS_98:-}" ]; then
    wine reg delete 'HKCU\Software\Wine\AppDefaults\PELLINO.EXE' /f >/dev/null 2>&1 || true
  fi
  rm -rf "$APP_DIR"
}

# From here on PELLINO.EXE sees the Windows 95 family (Windows 98), until the scenario ends. The
# setting is Wine's, by program file name, and is taken when a program starts.
use_windows_98() {
  WINDOWS_98=1
  wine reg add 'HKCU\Software\Wine\AppDefaults\PELLINO.EXE' /v Version /d win98 /f >/dev/null 2>&1 ||
    fail "cannot set the Windows version for PELLINO.EXE"
}

# The notification area as Wine shows it where the X server has none: a window of Wine's own,
# class "__winex11_standalone_tray", captioned "Wine System Tray", 166 x 45 pixels at the top
# left corner of the screen. It first comes with the first icon, is shown while it holds an icon
# and is hidden when the last one goes. Prints "icon" while it is shown, else "no icon".
tray_state() {
  if drive windows "Wine System Tray" | grep -q '^__winex11_standalone_tray|visible|'; then
    echo icon
  else
    echo "no icon"
  fi
}

# Waits up to 5 s until tray_state prints $1.
wait_tray() {
  for _ in $(seq 1 50); do
    [ "$(tray_state)" = "$1" ] && return 0
    sleep 0.1
  done
  return 1
}

# True when the screenshots $1 and $2 differ in the corner where Wine's notification area shows;
# fails the scenario when the pictures cannot be compared at all.
tray_pixels_differ() {
  local differing
  convert "$PELLINO_E2E_OUT/$1.png" -crop 166x45+0+0 +repage "$APP_DIR/corner-a.png" &&
    convert "$PELLINO_E2E_OUT/$2.png" -crop 166x45+0+0 +repage "$APP_DIR/corner-b.png" ||
    fail "the screenshots $1 and $2 could not be cut"
  differing=$(compare -metric AE "$APP_DIR/corner-a.png" "$APP_DIR/corner-b.png" null: 2>&1 || true)
  [[ $differing =~ ^[0-9]+$ ]] || fail "the screenshots $1 and $2 could not be compared: $differing"
  echo "pixels differing in the notification area's corner, $1 to $2: $differing"
  [ "$differing" -gt 0 ]
}

# Waits up to 5 s until the main window is "visible" or "hidden" ($1).
wait_visible() {
  for _ in $(seq 1 50); do
    [ "$(drive visible "Pellino!")" = "$1" ] && return 0
    sleep 0.1
  done
  return 1
}

# The driver, with its output (and nothing of Wine's) on standard output.
drive() {
  wine "$E2E" "$@" 2>"$APP_DIR/drive.err" | tr -d '\r'
  return "${PIPESTATUS[0]}"
}

# Whether a dropped-down menu shows: a top-level window of the class "#32768", without a caption.
menu_shown() { drive windows "" | grep -q '^#32768|visible|'; }

# Drops down the menu of window CAPTION whose title underlines LETTER, and waits until it shows.
# The request is posted to the window's queue, so a busy program takes it late, never not at all:
# it is given once, and a menu that does not come is a failure.
drop_menu() {
  for _ in $(seq 1 30); do menu_shown || break; sleep 0.1; done
  menu_shown && fail "a menu was still dropped down before the menu $2 of \"$1\""
  drive menu "$1" "$2" || fail "the menu $2 of \"$1\" could not be asked for"
  for _ in $(seq 1 100); do menu_shown && return 0; sleep 0.1; done
  fail "the menu $2 of \"$1\" did not drop down"
}

# Runs the rest of the scenario in a copy of the prefix, so that settings made in it stay with
# this scenario.
use_own_prefix() {
  own_prefix=$(mktemp -d)
  cp -a "$WINEPREFIX/." "$own_prefix/"
  export WINEPREFIX=$own_prefix
  trap 'e2e_cleanup; wineserver -k 2>/dev/null || true; rm -rf "$own_prefix"' EXIT
}

# Runs the rest of the scenario in a copy of the prefix whose screen has $1 dots per inch, so the
# other scenarios keep 96.
use_screen_dpi() {
  use_own_prefix
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  wineserver -w
}

# Variables set for PELLINO.EXE alone when start_program starts it (NAME=VALUE words).
PROGRAM_ENV=()

# Runs the rest of the scenario on a display of its own with two monitors, of sizes $1 and $2
# (WxH, the first the primary one). Xvfb's screens joined by Xinerama both lie at 0,0, so the
# second monitor covers the first where they meet; Wine tells them apart only through Xinerama,
# not through XRandR, which sees one output.
use_two_monitors() {
  local n
  for n in $(seq 150 180); do
    [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ] && break
  done
  Xvfb ":$n" -screen 0 "$1x24" -screen 1 "$2x24" +xinerama -nolisten tcp >/dev/null 2>&1 &
  two_monitor_xvfb=$!
  export DISPLAY=":$n"
  use_own_prefix
  trap 'e2e_cleanup; wineserver -k 2>/dev/null || true; kill "$two_monitor_xvfb" 2>/dev/null || true; rm -rf "$own_prefix"' EXIT
  local started=no
  for _ in $(seq 1 50); do
    xdpyinfo >/dev/null 2>&1 && started=yes && break
    sleep 0.1
  done
  [ $started = yes ] || env_fail "the display with two monitors ($DISPLAY) did not start"
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /d N /f >/dev/null 2>&1
  wineserver -w
}

start_program() {
  cp "$WIN32_DIR/PELLINO.EXE" "$WIN32_DIR/PELLINO.HLP" "$WIN32_DIR/PELLINO.CHM" "$APP_DIR/"
  (cd "$APP_DIR" && exec env "${PROGRAM_ENV[@]}" wine PELLINO.EXE "$@" >"$APP_DIR/wine.log" 2>&1) &
  PROGRAM_PID=$!
  if ! drive wait "Pellino!" 20000; then
    kill -0 "$PROGRAM_PID" 2>/dev/null || fail "the program ended before its main window appeared"
    env_fail "the main window did not appear within 20 s while the program ran"
  fi
}

# The wall clock of PELLINO.EXE alone, moved by the project's clock-shifting library
# (tests/clockshift): the library is preloaded into the program's Wine process and adds the
# seconds held in CLOCK_SHIFT_FILE to every reading of the real time. Monotonic clocks, and so
# the timers, run on as they are; the driver, the tools and the wineserver keep the real time.
# Under Wine 8 GetLocalTime, GetSystemTimeAsFileTime and the C runtime's time() read the clock of
# the program's own process: the wineserver's clock moves none of them, and SetTimer timers keep
# firing across a shift of either.
CLOCK_SHIFT_FILE="$APP_DIR/clock-shift"

# Starts the program (arguments as start_program) with its wall clock $1 seconds off the real
# one (negative: in the past).
start_program_shifted() {
  local seconds=$1 library
  shift
  library=$(pellino_clock_shift_preload) || fail "no clock-shifting library"
  shift_clock "$seconds"
  PROGRAM_ENV+=("LD_PRELOAD=$library" "PELLINO_CLOCK_SHIFT_FILE=$CLOCK_SHIFT_FILE")
  start_program "$@"
}

# Moves the wall clock of a program started by start_program_shifted to $1 seconds off the real
# one, while it runs. The program sees the new time within 50 ms.
shift_clock() {
  [[ $1 =~ ^[-+]?[0-9]+(\.[0-9]+)?$ ]] || fail "shift_clock: '$1' is no number of seconds"
  # A new file renamed over the old one: the library never reads a half-written number.
  printf '%s\n' "$1" >"$CLOCK_SHIFT_FILE.new" && mv -f "$CLOCK_SHIFT_FILE.new" "$CLOCK_SHIFT_FILE" ||
    fail "the clock shift could not be written"
}

# Prints the seconds from the real time now to the local time $1, in any form `date -d` reads
# ("2027-11-07 01:59:48", "23:59:48" for today): the shift that makes a program's clock show $1.
seconds_until() {
  local target
  target=$(date -d "$1" +%s) || fail "seconds_until: '$1' is no time"
  echo $((target - $(date +%s)))
}

# Starts the program as a shortcut does, with show command $1 (7: minimised without activating),
# through the driver. The program then is no child of this shell: wait for its window to go.
launch_program() {
  cp "$WIN32_DIR/PELLINO.EXE" "$WIN32_DIR/PELLINO.HLP" "$WIN32_DIR/PELLINO.CHM" "$APP_DIR/"
  # The program inherits the driver's output, so that goes to a file: a pipe would stay open.
  (cd "$APP_DIR" && wine "$E2E" launch PELLINO.EXE "$1" >"$APP_DIR/wine.log" 2>&1) ||
    fail "PELLINO.EXE could not be started"
  LAUNCHED=1
  # A start into the tray may hide the window before a look for a visible one finds it: wait for
  # the window to exist, shown or not.
  for _ in $(seq 1 200); do
    drive windows "Pellino!" | grep -q '^TMainForm|' && return 0
    sleep 0.1
  done
  env_fail "the main window of the launched program did not appear within 20 s"
}

# Starts the program minimised (show command 7) and waits until its window is.
launch_minimized() {
  launch_program 7
  for _ in $(seq 1 50); do
    [ "$(drive state "Pellino!")" = minimized ] && break
    sleep 0.1
  done
  expect_eq "$(drive state "Pellino!")" "minimized" "window state after a minimised start"
}

# Waits up to $1 seconds for the program's process to end.
expect_program_ends() {
  local limit=$((${1:-10} * 10))
  for _ in $(seq 1 "$limit"); do
    if ! kill -0 "$PROGRAM_PID" 2>/dev/null; then
      wait "$PROGRAM_PID" 2>/dev/null || true
      PROGRAM_PID=
      return 0
    fi
    sleep 0.1
  done
  fail "the program was still running after ${1:-10} s"
}

# Waits up to $3 seconds (default 5) for file $1 to hold the line $2. The program writes its
# settings while it starts, so a window that is already on the screen is no sign that they are.
wait_for_line() {
  local limit=$((${3:-5} * 10))
  for _ in $(seq 1 "$limit"); do
    [ -f "$1" ] && tr -d '\r' <"$1" | grep -qxF -- "$2" && return 0
    sleep 0.1
  done
  return 1
}

expect_eq() {
  [ "$1" = "$2" ] || fail "$3: expected '$2', got '$1'"
}

screenshot() {
  import -display "$DISPLAY" -window root "$PELLINO_E2E_OUT/$1.png"
  echo "screenshot: $PELLINO_E2E_OUT/$1.png"
}

# The pixels between the text of the control $2 of window $1 (its last dark pixel) and the left
# edge of the field $3 $4 (class and index) right of it, as screenshot $5 shows them.
caption_gap() {
  local cl ct cr cb fl ft fr fb trimmed
  read -r cl ct cr cb < <(drive textrect "$1" "$2") || fail "no control '$2' in '$1'"
  read -r fl ft fr fb < <(drive childrect "$1" "$3" "$4") || fail "no field $3 $4 in '$1'"
  trimmed=$(convert "$PELLINO_E2E_OUT/$5.png" -crop "$((fl - cl))x$((cb - ct))+$cl+$ct" +repage \
    -threshold 60% -negate -trim -format '%X %w' info:) || fail "the screenshot $5 could not be read"
  awk -v t="$trimmed" -v width=$((fl - cl)) 'BEGIN { split(t, p, " "); print width - (p[1] + p[2]) }'
}

# In the repeating editor, shown in screenshot $1 with "Repeat Every" chosen, the caption "Repeat
# Every" stands as far from its field as "&Message" from its own, within 3 pixels.
expect_interval_gap_as_message() {
  local window="Repeating Reminder Description" gap message_gap
  gap=$(caption_gap "$window" "Repeat Every" Edit 2 "$1")
  message_gap=$(caption_gap "$window" "&Message" Edit 0 "$1")
  echo "gap to the field: 'Repeat Every' $gap pixels, '&Message' $message_gap"
  [ "$gap" -ge $((message_gap - 3)) ] && [ "$gap" -le $((message_gap + 3)) ] ||
    fail "'Repeat Every' is $gap pixels from its field, the message's caption $message_gap"
}

# The date-time value of the local time $1 seconds from now, as the program counts it: days since
# 30 December 1899, the time of day as the fraction. Wine's local time is the machine's.
date_time_value() {
  local offset
  offset=$(date +%z)
  awk -v now="$(date +%s)" -v ahead="${1:-0}" -v z="$offset" 'BEGIN {
    sign = substr(z, 1, 1) == "-" ? -1 : 1
    secs = now + ahead + sign * (substr(z, 2, 2) * 3600 + substr(z, 4, 2) * 60)
    printf "%.9f\n", secs / 86400 + 25569
  }'
}

# Writes the program's data file from the text form of pellino-dat (read from standard input).
make_data_file() {
  cat >"$APP_DIR/data.txt"
  (cd "$APP_DIR" && wine "$WIN32_DIR/pellino-dat.exe" make Pellino.dat <data.txt >make.log 2>&1) ||
    fail "pellino-dat make: $(cat "$APP_DIR/make.log")"
}

# Prints the text form of the program's data file.
dump_data_file() {
  (cd "$APP_DIR" && wine "$WIN32_DIR/pellino-dat.exe" dump Pellino.dat >dump.txt 2>&1) ||
    fail "pellino-dat dump: $(cat "$APP_DIR/dump.txt")"
  tr -d '\r' <"$APP_DIR/dump.txt"
}

# A data file with one one-time reminder, message and sound, due $2 seconds from now; its
# message is $1.
make_due_reminder() {
  make_data_file <<EOF
list one-time
record Kind=0 NotifyMode=0 DueDateTime=$(date_time_value "$2") FirstTime=0 StopTime=0 HasUntil=false Description="$1" SoundFile="" DaySet="" IntervalMinutes=0 Status=0 ReservedFlag=false
end
EOF
}

# Waits for the notification window of a due reminder and checks what it shows, then waits for
# the guard of its first moments to end.
expect_notification() {
  drive wait "Reminder Notification" "${2:-30000}" || fail "no notification window"
  expect_eq "$(drive text "Reminder Notification" Static 0)" "$1" "the reminder's message"
  expect_eq "$(drive topmost "Reminder Notification")" "topmost" "the window stays on top"
  wait_guard_over || fail "the notification's buttons did not come to work"
  expect_eq "$(drive focus "Reminder Notification")" "Ok" "the focus after the guard"
}

# Waits up to 5 s until the notification's buttons work and Ok has the focus.
wait_guard_over() {
  for _ in $(seq 1 50); do
    [ "$(drive control "Reminder Notification" Ok)" = "visible enabled" ] &&
      [ "$(drive focus "Reminder Notification")" = Ok ] && return 0
    sleep 0.1
  done
  return 1
}

# Waits up to 5 s for the one-time list's first record in the data file to hold value $2 under
# name $1: the program writes the file right after the notification window closes, and a slow
# machine may take a moment.
wait_for_stored_value() {
  for _ in $(seq 1 25); do
    [ "$(stored_value "$1")" = "$2" ] && return 0
    sleep 0.2
  done
  return 1
}

# Prints the value $1 of the one-time list's first record once it differs from $2, waiting up to
# 5 s; prints the unchanged value when it does not change.
changed_stored_value() {
  local value
  for _ in $(seq 1 25); do
    value=$(stored_value "$1")
    [ "$value" != "$2" ] && break
    sleep 0.2
  done
  echo "$value"
}

# A value of the one-time list's first record in the data file.
stored_value() {
  dump_data_file | awk -v key="$1" '/^record/ && !done {
    for (i = 1; i <= NF; i++) if (index($i, key "=") == 1) { print substr($i, length(key) + 2); done = 1 }
  }'
}

# Asks for every help topic the program offers, in the order Help > Contents (1009), the one-time
# editor (1004), its options (2004), the time picker (2987) and the repeating editor (2986), from
# the main window with nothing open, and calls "$1 CONTEXT" after each request to check what the
# help engine shows. Every dialog it opens it closes again.
ask_every_help_topic() {
  local expect=$1
  drop_menu "Pellino!" h
  drive key "Pellino!" - 0 13 || fail "Enter did not reach the menu"
  "$expect" 1009

  drive click "Pellino!" "&New"
  drive wait "Reminder Description" 5000 || fail "New opened no editor"
  drive click "Reminder Description" "&Help"
  "$expect" 1004

  drive click "Reminder Description" "Options"
  drive wait "Reminder Options" 5000 || fail "no options dialog"
  drive click "Reminder Options" "&Help"
  "$expect" 2004
  drive click "Reminder Options" "&Cancel"
  drive gone "Reminder Options" 5000 || fail "the options dialog stayed open"

  drive settext "Reminder Description" Edit 1 "11:58 pm" || fail "the time could not be typed"
  drive click "Reminder Description" "" || fail "the picker button could not be pressed"
  drive wait "Set Time As: 11:58 pm" 5000 || fail "no time picker"
  drive click "Set Time As: 11:58 pm" "&Help"
  "$expect" 2987
  drive click "Set Time As: 11:58 pm" "&Cancel"
  drive gone "Set Time As: 11:58 pm" 5000 || fail "the picker stayed open"
  drive click "Reminder Description" "&Cancel"
  drive gone "Reminder Description" 5000 || fail "the editor stayed open"

  drive tab "Pellino!" 1 || fail "the repeating list could not be shown"
  drive click "Pellino!" "&New"
  drive wait "Repeating Reminder Description" 5000 || fail "New opened no repeating editor"
  drive click "Repeating Reminder Description" "&Help"
  "$expect" 2986
  drive click "Repeating Reminder Description" "&Cancel"
  drive gone "Repeating Reminder Description" 5000 || fail "the repeating editor stayed open"
}
