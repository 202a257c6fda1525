#!/usr/bin/env bash
# A run of suites that write into a home (Qt's file dialogs keep their last
# folder there, openbox its log) leaves the home of whoever runs them as it
# was: every test has its own.
set -uo pipefail
build="$1"
shift
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
regex="^($(IFS='|'; echo "$*"))\$"
out=$(env -u XDG_CONFIG_HOME -u XDG_CACHE_HOME -u XDG_DATA_HOME -u XDG_STATE_HOME \
  -u XDG_RUNTIME_DIR HOME="$home" ctest --test-dir "$build" -R "$regex" 2>&1)
rc=$?
if [ $rc -ne 0 ]; then echo "FAIL: the suites did not pass:"; echo "$out"; exit 1; fi
count=$(grep -c "Test *#" <<<"$out")
if [ "$count" -ne $# ]; then echo "FAIL: $count suites ran, not $#:"; echo "$out"; exit 1; fi
left=$(find "$home" -mindepth 1)
if [ -n "$left" ]; then echo "FAIL: the run left files in the home:"; echo "$left"; exit 1; fi
echo "PASS: $# suites, nothing left in the home"
