#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Azimora developers
# SPDX-License-Identifier: MIT
# Two package builds of one source give the same bytes. The packages in dist/
# (scripts/package.sh, run here again: a no-op after a fresh build) are
# compared with a second build of the same files, made from scratch in
# another folder, at another time, in another time zone and locale and with
# another umask. Where they differ it names the part of the package and the
# files inside it.
set -euo pipefail
cd "$(dirname "$0")/../.."

fail() { echo "reproducible test: FAILED: $*" >&2; exit 1; }

mkdir -p build
scripts/package.sh 2>&1 | scripts/build-progress.sh build/package.log "package build" ||
  { tail -20 build/package.log >&2; fail "the first build failed (build/package.log)"; }

# The second build: the tracked files as they stand, in a folder whose path
# has another length than this one's.
scratch=$(mktemp -d /tmp/azimora-reproducible-second-build.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
copy=$scratch/source-tree
mkdir "$copy"
git ls-files -z | tar --null -T - -cf - | tar -xf - -C "$copy"
(
  cd "$copy"
  umask 0002
  export TZ=Pacific/Kiritimati LC_ALL=C.UTF-8 LANG=C.UTF-8
  scripts/package.sh 2>&1 | "$OLDPWD/scripts/build-progress.sh" "$scratch/build.log" "second package build"
) || { tail -20 "$scratch/build.log" >&2; fail "the second build failed"; }

# What differs, member by member, then file by file.
explain() {
  local name=$1 first=$2 second=$3 work=$scratch/explain/$name
  mkdir -p "$work/1" "$work/2"
  (cd "$work/1" && ar x "$first") && (cd "$work/2" && ar x "$second")
  diff <(ar tv "$first") <(ar tv "$second") | sed 's/^/  /' || true
  for member in "$work"/1/*; do
    member=$(basename "$member")
    cmp -s "$work/1/$member" "$work/2/$member" && continue
    echo "  $member differs"
    case $member in
      *.tar.*)
        diff <(tar -tvf "$work/1/$member") <(tar -tvf "$work/2/$member") | head -10 | sed 's/^/    /' || true
        mkdir -p "$work/1-$member" "$work/2-$member"
        tar -xf "$work/1/$member" -C "$work/1-$member" && tar -xf "$work/2/$member" -C "$work/2-$member"
        diff -rq "$work/1-$member" "$work/2-$member" | sed 's/^/    /' || true ;;
    esac
  done
}

different=0
count=0
for first in dist/*.deb; do
  name=$(basename "$first")
  second=$copy/dist/$name
  [[ -f "$second" ]] || fail "the second build made no $name"
  count=$((count + 1))
  if ! cmp -s "$first" "$second"; then
    echo "reproducible test: $name differs between the two builds:" >&2
    explain "$name" "$PWD/$first" "$second" >&2
    different=1
  fi
done
[[ $count -eq $(ls "$copy"/dist/*.deb | wc -l) ]] || fail "the two builds made different packages"
[[ $different -eq 0 ]] || fail "two builds of one source differ"
echo "reproducible test: passed ($count packages byte-identical)"
