#!/usr/bin/env bash
# "E&xit" ends the program.
source "$(dirname "$0")/lib.sh"

start_program
drive click "Pellino!" "E&xit"
expect_program_ends 10
