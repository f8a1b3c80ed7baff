#!/usr/bin/env bash
# "When" and "Next Reminder" show their longest texts whole, at 96 and at 144 DPI: a date in each
# of the widest months with a 12-hour time ("May 28, 2027 10:58pm"), and "Today at 11:58pm". In
# each screenshot the text of every such cell ends some pixels before the cell's right edge; a
# cut text runs up to it.
source "$(dirname "$0")/lib.sh"

# The column dividers of the list whose window rectangle is "$2", as "FIRST LAST" screen x
# positions of each (a divider may be more than one pixel wide at a high resolution), left to
# right, read from the line of pixels just below the list's top edge in screenshot $1, where the
# header's black dividers cross it and nothing else is black.
dividers() {
  local left top right
  read -r left top right _ <<<"$2"
  convert "$PELLINO_E2E_OUT/$1.png" -crop "$((right - left))x1+$left+$((top + 1))" +repage txt:- |
    awk -v left="$left" -F'[,: ]+' '
      /#000000/ { x = $1 + left; if (x != last + 1) { if (n++) print first, last; first = x } last = x }
      END { if (n) print first, last }'
}

# The room (pixels) between the end of the text and the right edge of the cell of row $3 (1 is
# the first data row) that lies between the screen x positions $4 and $5 (the last pixel of the
# divider before it and the first of the one after it), in screenshot $1 of the list at "$2"
# drawn at $6 DPI (rows of 20 design pixels and a grid line).
room_after_text() {
  local top row_top row_bottom width box
  read -r _ top _ _ <<<"$2"
  row_top=$((top + ($3 * 21 * $6 + 48) / 96 + 1))
  row_bottom=$((top + (($3 * 21 + 20) * $6 + 48) / 96 - 1))
  width=$(($5 - $4 - 1))
  box=$(convert "$PELLINO_E2E_OUT/$1.png" \
    -crop "${width}x$((row_bottom - row_top))+$(($4 + 1))+$row_top" +repage \
    -fuzz 10% -trim -format '%w %X' info:) || fail "row $3 could not be cut out of $1"
  read -r text_width text_x <<<"$box"
  echo $((width - text_x - text_width))
}

# Checks in screenshot $1 (at $2 DPI) that the cells of the due column $3 (0-based) of the list
# at "$4" keep room after their texts, rows 2 to $5.
expect_whole_texts() {
  local cuts row room before after
  mapfile -t cuts < <(dividers "$1" "$4")
  [ "${#cuts[@]}" -gt "$3" ] || fail "$1: only ${#cuts[@]} column dividers found"
  read -r _ before <<<"${cuts[$(($3 - 1))]}"
  read -r after _ <<<"${cuts[$3]}"
  for row in $(seq 2 "$5"); do
    room=$(room_after_text "$1" "$4" "$row" "$before" "$after" "$2")
    echo "$1, row $row: $room pixels after the text"
    [ "$room" -ge 3 ] || fail "$1: the text of row $row is cut ($room pixels after it)"
  done
}

make_data_file <<EOF
list one-time
record Kind=0 DueDateTime=46000.5 Description="Selected, not looked at" Status=2
record Kind=0 DueDateTime=$(($(date_time_value 0 | cut -d. -f1) + 1)).998 Description="Tomorrow" Status=3
record Kind=0 DueDateTime=46535.957 Description="May" Status=3
record Kind=0 DueDateTime=46566.957 Description="June" Status=3
record Kind=0 DueDateTime=46474.957 Description="March" Status=3
record Kind=0 DueDateTime=46658.957 Description="September" Status=3
record Kind=0 DueDateTime=46627.957 Description="August" Status=3
record Kind=0 DueDateTime=46749.957 Description="December" Status=3
record Kind=0 DueDateTime=46719.957 Description="November" Status=3
end
list repeating
record Kind=1 FirstTime=0 DaySet="0123456" Description="Selected, not looked at" Status=3
record Kind=1 FirstTime=0.999 DaySet="0123456" Description="Late every day" Status=3
end
EOF

for dpi in 96 144; do
  [ "$dpi" = 96 ] || use_screen_dpi "$dpi"
  start_program
  sleep 1  # painted whole before the picture
  screenshot "due-columns-one-time-$dpi"
  expect_whole_texts "due-columns-one-time-$dpi" "$dpi" 1 "$(drive childrect "Pellino!" PellinoCustom 0)" 9
  drive tab "Pellino!" 1 || fail "the repeating list could not be shown"
  sleep 1
  screenshot "due-columns-repeating-$dpi"
  expect_whole_texts "due-columns-repeating-$dpi" "$dpi" 4 "$(drive childrect "Pellino!" PellinoCustom 1)" 2
  drive close "Pellino!"
  expect_program_ends 10
done
