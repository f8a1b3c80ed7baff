#!/usr/bin/env bash
# "pellino-dat make" on a disk that fills up while it writes: the data file it was to replace
# stays exactly as it was, and nothing of the cut-off write is left beside it.
#   pellino_dat_full_disk.sh PELLINO-DAT
set -euo pipefail
tool=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir"

record() {
  echo "record Kind=0 NotifyMode=0 DueDateTime=46027.5 FirstTime=0 StopTime=0 HasUntil=false" \
    "Description=\"$1\" SoundFile=\"C:\\\\WINDOWS\\\\MEDIA\\\\chimes.wav\" DaySet=\"\"" \
    "IntervalMinutes=0 Status=0 ReservedFlag=false"
}
{ echo "list one-time"; record "the only one"; echo "end"; } >small.txt
"$tool" make Pellino.dat <small.txt
cp Pellino.dat before.dat

# Far more than the 4 KiB the disk has room for.
{
  echo "list one-time"
  for i in $(seq 1 200); do record "reminder number $i with a message of an ordinary length"; done
  echo "end"
} >large.txt
# The file size limit stands for the full disk; with its signal ignored, a write past it fails
# the way a write to a full disk does.
if (trap '' XFSZ && ulimit -f 4 && exec "$tool" make Pellino.dat <large.txt) 2>make.log; then
  echo "FAILED: make reported success on a full disk" >&2
  exit 1
fi
cmp -s Pellino.dat before.dat || { echo "FAILED: Pellino.dat was changed" >&2; exit 1; }
if ls Pellino.dat.* >/dev/null 2>&1; then
  echo "FAILED: left behind: $(ls Pellino.dat.*)" >&2
  exit 1
fi
grep -q "Stream write error" make.log || { echo "FAILED: no error reported: $(cat make.log)" >&2; exit 1; }

# With room enough, the same text goes through.
"$tool" make Pellino.dat <large.txt
"$tool" check Pellino.dat >/dev/null
echo "pellino-dat make on a full disk: the old file stays whole"
