#!/usr/bin/env bash
# The set-up on a machine where it cannot install: as a user without sudo,
# and as one whom sudo refuses, it says what it needs and lists the packages.
set -uo pipefail
setup="$1/scripts/setup.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0

mkdir -p "$work/bin"
for t in dirname cat; do ln -s "$(command -v $t)" "$work/bin/$t"; done
# Nothing is installed, and the user is not root.
printf '#!/bin/bash\nexit 1\n' > "$work/bin/dpkg"
printf '#!/bin/bash\necho 1000\n' > "$work/bin/id"
chmod +x "$work/bin/dpkg" "$work/bin/id"
packages=$(sed -n '/^PACKAGES=(/,/)/p' "$setup" | tr -d '()' | sed 's/PACKAGES=//')

check() {  # name, expected reason
  local out rc
  out=$(env -i PATH="$work/bin" /bin/bash "$setup" 2>&1)
  rc=$?
  if [ $rc -eq 0 ]; then echo "FAIL $1: the set-up went on"; fail=1; fi
  if [ "$(grep -c 'needs root or sudo' <<<"$out")" -ne 1 ]; then
    echo "FAIL $1: no one sentence saying it needs root or sudo:"; echo "$out"; fail=1
  fi
  grep -q -- "$2" <<<"$out" || { echo "FAIL $1: reason '$2' not given"; fail=1; }
  local line
  line=" $(grep 'apt-get install' <<<"$out" | sed 's/.*apt-get install//') "
  for p in $packages; do
    [[ "$line" == *" $p "* ]] || { echo "FAIL $1: package $p not listed"; fail=1; }
  done
  grep -q "command not found" <<<"$out" && { echo "FAIL $1: a raw shell error"; fail=1; }
  [ $fail -eq 0 ] && echo "PASS $1"
}

check "no sudo" "sudo is not installed"
# A sudo that refuses this user.
printf '#!/bin/bash\necho "user is not in the sudoers file" >&2\nexit 1\n' > "$work/bin/sudo"
chmod +x "$work/bin/sudo"
check "sudo refused" "apt-get update failed"
exit $fail
