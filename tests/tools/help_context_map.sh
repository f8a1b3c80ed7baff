#!/usr/bin/env bash
# scripts/help-context-map on a small help file: the numbers asked for land in |CTXOMAP, each on a
# topic of its own, and a number without a topic fails the build and leaves the file untouched.
#   help_context_map.sh HELP-CONTEXT-MAP
set -euo pipefail
tool=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir"

cat >t.but <<'BUT'
\cfg{winhelp-filename}{T.HLP}

\title A small help file

\C{ctx7} First

\cfg{winhelp-topic}{ctx7}

The first topic.

\C{other} Between

Not numbered.

\C{ctx1200} Second

\cfg{winhelp-topic}{ctx1200}

The second topic.
BUT
halibut --winhelp t.but
cp T.HLP before.hlp

if python3 "$tool" T.HLP 7 99 2>err.txt; then
  echo "FAILED: a number without a topic was accepted" >&2
  exit 1
fi
grep -q "no topic ctx99 for context number 99" err.txt || { echo "FAILED: $(cat err.txt)" >&2; exit 1; }
cmp -s T.HLP before.hlp || { echo "FAILED: the refused file was changed" >&2; exit 1; }

python3 "$tool" T.HLP 1200 7
# Reads |CTXOMAP through the file's directory: "number topic-offset" per entry.
map=$(python3 - T.HLP <<'PY'
import struct, sys
d = open(sys.argv[1], "rb").read()
assert struct.unpack_from("<I", d, 12)[0] == len(d), "the header's file size is wrong"
tree = struct.unpack_from("<i", d, 4)[0] + 9
page_size, root = struct.unpack_from("<H", d, tree + 4)[0], struct.unpack_from("<h", d, tree + 26)[0]
page = tree + 38 + root * page_size
count, at = struct.unpack_from("<h", d, page + 2)[0], page + 8
for _ in range(count):
    end = d.index(b"\0", at)
    name, offset = d[at:end], struct.unpack_from("<i", d, end + 1)[0]
    at = end + 5
    if name == b"|CTXOMAP":
        n = struct.unpack_from("<H", d, offset + 9)[0]
        for i in range(n):
            print(*struct.unpack_from("<iI", d, offset + 11 + 8 * i))
PY
)
echo "$map"
numbers=$(awk '{print $1}' <<<"$map" | paste -sd' ')
[ "$numbers" = "7 1200" ] || { echo "FAILED: mapped numbers '$numbers'" >&2; exit 1; }
topics=$(awk '{print $2}' <<<"$map" | sort -u | wc -l)
[ "$topics" -eq 2 ] || { echo "FAILED: the two numbers share a topic" >&2; exit 1; }
echo "help-context-map: both numbers mapped, each to its own topic"
