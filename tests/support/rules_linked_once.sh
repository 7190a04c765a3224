#!/bin/sh
# The rules are in one binary per process: every function a rule library
# defines is defined there alone, not a second time in the package module or a
# program. Usage: rules_linked_once.sh "LIBRARY..." BINARY...
set -eu
libraries=$1
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
defined() { nm --defined-only "$1" | awk '$2 == "T" { print $3 }' | LC_ALL=C sort -u; }
status=0
for library in $libraries; do
  defined "$library" > "$work/library"
  if [ ! -s "$work/library" ]; then
    echo "$library defines no functions" >&2
    status=1
    continue
  fi
  for binary in "$@"; do
    defined "$binary" > "$work/binary"
    twice=$(LC_ALL=C comm -12 "$work/library" "$work/binary" | head -5)
    if [ -n "$twice" ]; then
      echo "$binary defines again what $library defines:" >&2
      echo "$twice" | c++filt >&2
      status=1
    fi
  done
done
exit $status
