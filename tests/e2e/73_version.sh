#!/usr/bin/env bash
# One version everywhere: the About window, the version resource of PELLINO.EXE and the title of
# both help files show the program's version, the one that names the release's zip file
# (scripts/version, from the project's version in CMakeLists.txt).
source "$(dirname "$0")/lib.sh"

version=$("$PELLINO_ROOT/scripts/version")
echo "the program's version: $version"

resource=$(cd "$WIN32_DIR" && wine "$E2E" fileversion PELLINO.EXE 2>/dev/null | tr -d '\r') ||
  fail "PELLINO.EXE has no version resource"
expect_eq "$resource" "$version.0 $version $version" "the version resource (numbers, file, product)"

for help in PELLINO.HLP PELLINO.CHM; do
  grep -aqF "Pellino! $version Help" "$WIN32_DIR/$help" ||
    fail "the title of $help does not show version $version"
done

start_program
# Help > About: the Help menu's first item is highlighted, About is the next one.
drop_menu "Pellino!" h
drive key "Pellino!" - 0 40
drive key "Pellino!" - 0 13
drive wait "About Pellino!" 5000 || fail "Help > About opened no window"
expect_eq "$(drive text "About Pellino!" Static 0)" "Version $version" "the About window"
sleep 0.5  # painted whole before the picture
screenshot about
drive click "About Pellino!" "OK"
drive gone "About Pellino!" 5000 || fail "the About window stayed open"
drive close "Pellino!"
expect_program_ends 10
