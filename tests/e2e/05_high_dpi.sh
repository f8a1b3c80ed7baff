#!/usr/bin/env bash
# On a 120 DPI screen the main window keeps its designed proportions: every design pixel is
# scaled by 120/96. The scenario runs in a copy of the prefix, so the others keep 96 DPI.
source "$(dirname "$0")/lib.sh"

dpi_prefix=$(mktemp -d)
cp -a "$WINEPREFIX/." "$dpi_prefix/"
export WINEPREFIX=$dpi_prefix
trap 'e2e_cleanup; wineserver -k 2>/dev/null || true; rm -rf "$dpi_prefix"' EXIT
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 120 /f >/dev/null 2>&1
wineserver -w

start_program
expect_eq "$(drive client "Pellino!")" "749 453" "client size at 120 DPI (599 x 362 design pixels)"
screenshot high-dpi
drive close "Pellino!"
expect_program_ends 10
