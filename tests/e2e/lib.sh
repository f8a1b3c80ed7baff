# Shared steps of the end-to-end scenarios. A scenario runs PELLINO.EXE from a temporary folder of
# its own and drives it with pellino-e2e.exe; any failed check ends it with a message.
set -euo pipefail
source "$PELLINO_ROOT/scripts/wine-env"
E2E="$PELLINO_ROOT/build/win32/pellino-e2e.exe"
PROGRAM_PID=
APP_DIR=$(mktemp -d)
trap 'e2e_cleanup' EXIT

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

e2e_cleanup() {
  if [ -n "$PROGRAM_PID" ] && kill -0 "$PROGRAM_PID" 2>/dev/null; then
    drive close "Pellino!" >/dev/null 2>&1 || true
    sleep 1
    kill "$PROGRAM_PID" 2>/dev/null || true
  fi
  rm -rf "$APP_DIR"
}

# The driver, with its output (and nothing of Wine's) on standard output.
drive() {
  wine "$E2E" "$@" 2>/dev/null | tr -d '\r'
  return "${PIPESTATUS[0]}"
}

start_program() {
  cp "$PELLINO_ROOT/build/win32/PELLINO.EXE" "$APP_DIR/"
  (cd "$APP_DIR" && exec wine PELLINO.EXE "$@" >"$APP_DIR/wine.log" 2>&1) &
  PROGRAM_PID=$!
  drive wait "Pellino!" 20000 || fail "the main window did not appear"
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

expect_eq() {
  [ "$1" = "$2" ] || fail "$3: expected '$2', got '$1'"
}

screenshot() {
  import -display "$DISPLAY" -window root "$PELLINO_E2E_OUT/$1.png"
  echo "screenshot: $PELLINO_E2E_OUT/$1.png"
}
