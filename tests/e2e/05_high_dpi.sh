#!/usr/bin/env bash
# On a 120 DPI screen the main window keeps its designed proportions: every design pixel is
# scaled by 120/96. The scenario runs in a copy of the prefix, so the others keep 96 DPI.
source "$(dirname "$0")/lib.sh"

use_screen_dpi 120

start_program
expect_eq "$(drive client "Pellino!")" "749 453" "client size at 120 DPI (599 x 362 design pixels)"
screenshot high-dpi
drive close "Pellino!"
expect_program_ends 10
