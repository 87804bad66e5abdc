#!/bin/sh
# kavo-preview's command line as a user meets it: --help succeeds with the
# usage on stdout; an unknown option, a missing value or a bad frame count
# fails with the usage on stderr and without opening anything.
preview=$1
status=0

fail() {
  echo "FAIL: $*" >&2
  status=1
}

out=$("$preview" --help) || fail "--help exited with $?"
printf '%s' "$out" | grep -q '^usage: kavo-preview' || fail "--help printed no usage"

for args in "--bogus" "--out" "--pak" "--frames" "--frames 0" "--frames 3x" "--frames -1" "--pak main.pak extra"; do
  # shellcheck disable=SC2086
  if err=$("$preview" $args 2>&1 >/dev/null); then
    fail "'$args' succeeded"
  fi
  printf '%s' "$err" | grep -q '^usage: kavo-preview' || fail "'$args' printed no usage on stderr"
done
exit $status
