#!/bin/sh
# Runs kavo-preview for a few frames and checks what it says and the picture
# it writes of its window.
#
#   preview_picture_test.sh <preview> <checker> <expected line> <picture> [preview options...]
#
# <expected line> must appear in its output (which drivers ran), and
# <picture>, the full path the output must name, must pass the checker.
preview=$1
checker=$2
expect=$3
picture=$4
shift 4

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

rm -f "$picture"
out=$("$preview" "$@")
code=$?
printf '%s\n' "$out"
[ "$code" -eq 0 ] || fail "kavo-preview exited with $code"
printf '%s\n' "$out" | grep -qF "$expect" || fail "the output does not say \"$expect\""
printf '%s\n' "$out" | grep -q '^Loop statistics: ' || fail "no loop statistics"
printf '%s\n' "$out" | grep -qF "Wrote $picture " || fail "the output does not name $picture"
exec "$checker" "$picture"
