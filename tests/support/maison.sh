#!/usr/bin/env bash
# Runs one test with a home and desktop folders of its own, made fresh and
# removed afterwards, so that nothing lands in the home of whoever runs the
# suite (Qt's own settings, a window manager's cache).
set -u
maison=$(mktemp -d "${TMPDIR:-/tmp}/brivanta-test-XXXXXX") || exit 1
mkdir -p "$maison/home" "$maison/config" "$maison/cache" "$maison/data" "$maison/state" \
  "$maison/runtime" || exit 1
chmod 700 "$maison/runtime"
export HOME="$maison/home" XDG_CONFIG_HOME="$maison/config" XDG_CACHE_HOME="$maison/cache" \
  XDG_DATA_HOME="$maison/data" XDG_STATE_HOME="$maison/state" XDG_RUNTIME_DIR="$maison/runtime"
"$@"
rc=$?
rm -rf "$maison"
exit $rc
