#!/usr/bin/env bash
# Help on a system without the WinHelp engine (Wine's default version, 6.1 as Windows 7 reports
# itself): Help > Contents and the help button of every dialog open their own topic of
# PELLINO.CHM through HTML Help. Wine's HTML Help finds each page in the compiled file but has no
# HTML engine here to draw it, so the topic is read from its trace of the page it went to and of
# how that page's loading ended: 80040154 (the page was found; nothing can show HTML) and not
# 80030002 (no such page in the file).
source "$(dirname "$0")/lib.sh"

export WINEDEBUG=trace+htmlhelp,fixme+ieframe
start_program
LOG=$APP_DIR/wine.log
HELP_WINDOW="Pellino! $("$PELLINO_ROOT/scripts/version") Help"  # the compiled file's title

# Waits up to 30 s until HTML Help has gone to the page of context number $1, and checks that the
# page is in the file. The first request starts the help engine and its libraries, which a busy
# machine can take long over.
expect_html_topic() {
  local page="PELLINO.CHM::/ctx$1.html" outcome=""
  for _ in $(seq 1 150); do
    outcome=$(tr -d '\r' <"$LOG" | awk -v page="$page" '
      /navigate_url/ { going = index($0, page) > 0; next }
      going && /BindToObject failed/ { result = $NF; going = 0 }
      END { print result }')
    [ -n "$outcome" ] && break
    sleep 0.2
  done
  expect_eq "$outcome" "80040154" "the loading of $page"
  drive wait "$HELP_WINDOW" 5000 || fail "no help window for context $1"
}

# Checks the page of context number $1, with a picture of the window for the first.
expect_context() {
  expect_html_topic "$1"
  [ "$1" != 1009 ] || screenshot help-htmlhelp-contents
}
ask_every_help_topic expect_context

# No WinHelp engine was asked for anything on this version.
[ -z "$(drive windows "Wine Help")" ] || fail "the WinHelp engine was started"
drive close "Pellino!"
expect_program_ends 10
drive gone "$HELP_WINDOW" 5000 || fail "the help window outlived the program"
