#!/usr/bin/env bash
# Builds if needed and runs every test headless, then the database and
# settings suites again under the address and undefined-behaviour sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
# The suites run in a home of their own each; the one they are given here
# must stay as it was.
home=$(mktemp -d)
HOME="$home" ctest --test-dir build --output-on-failure -j "$(nproc)"
if [ -n "$(find "$home" -mindepth 1 -print -quit)" ]; then
  echo "The tests left files in the home:" >&2
  find "$home" -mindepth 1 >&2
  exit 1
fi
rm -rf "$home"

# Only these suites are built a second time, to keep the run short; any
# fault a sanitizer finds ends its test with a failure.
SANITIZED=(test_platform_database test_platform_vbtext test_platform_twips
           test_platform_label test_platform_listview test_platform_combobox
           test_platform_textbox test_platform_choices test_platform_picturebutton
           test_db_collection test_db_procedures test_shell_startup test_shell_damaged)
SAN="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
# Warnings are errors under CI here too, as in the set-up's build.
WERROR=OFF
[ "${CI:-}" = "true" ] && WERROR=ON
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRIVANTA_WERROR=$WERROR \
  -DCMAKE_CXX_FLAGS="$SAN" -DCMAKE_EXE_LINKER_FLAGS="$SAN"
cmake --build build-asan --target "${SANITIZED[@]}"
export ASAN_OPTIONS=abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-asan --output-on-failure -j "$(nproc)" \
  -R "^($(IFS='|'; echo "${SANITIZED[*]}"))\$"
