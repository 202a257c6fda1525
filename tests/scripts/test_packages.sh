#!/usr/bin/env bash
# Every library the build links (each -lNAME and each full path on its link
# lines) comes from a package the set-up installs or one that those bring in,
# as apt would on a bare machine: a development machine that holds more
# packages links all the same, a bare one would not.
set -uo pipefail
source_dir="$1"
build="$2"
setup="$source_dir/scripts/setup.sh"
cxx="${CXX:-c++}"

packages=$(sed -n '/^PACKAGES=(/,/)/p' "$setup" | tr -d '()' | sed 's/PACKAGES=//')
if [ -z "$packages" ]; then echo "FAIL: no package list in $setup"; exit 1; fi

# What apt installs for these packages: each dependency's first alternative
# (a virtual one through its providers), and theirs in turn.
declare -A installe=()
niveau=()
for p in $packages; do
  installe[$p]=1
  niveau+=("$p")
done
while [ ${#niveau[@]} -gt 0 ]; do
  mapfile -t suivants < <(apt-cache depends --no-recommends --no-suggests --no-conflicts \
    --no-breaks --no-replaces --no-enhances "${niveau[@]}" 2>/dev/null | awk '
    function nom(s) { sub(/:(any|amd64|i386|all)$/, "", s); return s }
    /^[^ ]/ { groupe = 0; ouvert = 0; next }
    /^ [ |](Pre)?Depends: / {
      alternative = ($0 ~ /^ \|/)
      if (!ouvert) pris = 0
      ouvert = alternative
      virtuel = 0
      if (pris) next
      n = $2
      if (n ~ /^</) { virtuel = 1; next }
      print nom(n); pris = 1; next
    }
    /^    [^ ]/ { if (virtuel && !pris) { print nom($1) } next }
    /^  [^ ]/ { next }
    # A virtual alternative is taken through all its providers.
    ' | sort -u)
  if [ ${#installe[@]} -eq "$(wc -w <<<"$packages")" ] && [ ${#suivants[@]} -eq 0 ]; then
    echo "FAIL: apt knows no dependency of the set-up's packages (no package lists?)"
    exit 1
  fi
  niveau=()
  for p in "${suivants[@]}"; do
    [ -n "${installe[$p]:-}" ] && continue
    installe[$p]=1
    niveau+=("$p")
  done
done

# The link lines, as the build tree holds them (Ninja's or Makefiles').
liens=$( { grep -h '^ *LINK_LIBRARIES = \|^ *LINK_FLAGS = ' "$build/build.ninja" 2>/dev/null \
             | sed 's/^ *LINK_[A-Z]* = //'
           find "$build" -name link.txt -exec cat {} + 2>/dev/null; } )
if [ -z "$liens" ]; then echo "FAIL: no link line in $build"; exit 1; fi

declare -A vu=() mot_de=()
chemins=()
fail=0
for mot in $liens; do
  chemin=""
  case "$mot" in
    -l*)
      lib="lib${mot#-l}"
      for suffixe in .so .a; do
        f=$("$cxx" -print-file-name="$lib$suffixe")
        if [ "$f" != "$lib$suffixe" ]; then chemin=$(realpath -s "$f"); break; fi
      done
      if [ -z "$chemin" ]; then echo "FAIL: $mot: no $lib.so nor $lib.a on this machine"; fail=1; continue; fi
      ;;
    /*.so | /*.so.* | /*.a) chemin=$mot ;;
    *) continue ;;
  esac
  # The build's own libraries are none of Debian's.
  case "$chemin" in "$build"/* | "$source_dir"/*) continue ;; esac
  [ -n "${vu[$chemin]:-}" ] && continue
  vu[$chemin]=1
  mot_de[$chemin]=$mot
  chemins+=("$chemin")
done

# Which package holds each file: dpkg knows a file by the path it unpacked,
# which may be the other side of a merged /usr or of a link.
paquet_de() {
  local c essai p
  for c in "$1" "$(realpath "$1")"; do
    for essai in "$c" "${c#/usr}" "/usr$c"; do
      p=$(dpkg -S "$essai" 2>/dev/null | grep -v '^diversion' | head -1 | sed 's/: .*//; s/,.*//; s/:[a-z0-9]*$//')
      if [ -n "$p" ]; then echo "$p"; return; fi
    done
  done
}
declare -A paquet=()
while IFS= read -r ligne; do
  p=${ligne%%: *}
  paquet[${ligne#*: }]=$(sed 's/,.*//; s/:[a-z0-9]*$//' <<<"$p")
done < <(dpkg -S "${chemins[@]}" 2>/dev/null | grep -v '^diversion')
for chemin in "${chemins[@]}"; do
  [ -n "${paquet[$chemin]:-}" ] || paquet[$chemin]=$(paquet_de "$chemin")
  nom="${mot_de[$chemin]}"
  [ "$nom" = "$chemin" ] || nom="$nom ($chemin)"
  if [ -z "${paquet[$chemin]}" ]; then
    echo "FAIL: $nom belongs to no Debian package"
    fail=1
  elif [ -z "${installe[${paquet[$chemin]}]:-}" ]; then
    echo "FAIL: $nom comes from ${paquet[$chemin]}, which the set-up neither installs nor brings in"
    fail=1
  fi
done
[ $fail -eq 0 ] && echo "PASS: ${#chemins[@]} libraries on the link lines, each from a package the set-up brings in"
exit $fail
