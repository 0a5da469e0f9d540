# SPDX-FileCopyrightText: 2026 The Azimora developers
# SPDX-License-Identifier: MIT
# Sourced by build-web.sh and build-web-tests.sh: em++ -c of each source
# whose object is older than it or than any header of the watched folders,
# as many at a time as there are cores. Sets objectFiles.
#   em_compile <objects folder> <label> <watched folders...> -- <flags...> -- <sources...>
em_compile() {
  local objects=$1 label=$2
  shift 2
  local watched=() flags=()
  while [[ $1 != -- ]]; do watched+=("$1"); shift; done
  shift
  while [[ $1 != -- ]]; do flags+=("$1"); shift; done
  shift
  objectFiles=()
  # Through ccache, as the CMake builds: another clone of the same sources
  # compiles nothing again. Not for the packages (AZIMORA_NO_CCACHE).
  if [[ -z "${AZIMORA_NO_CCACHE:-}" ]] && command -v ccache >/dev/null 2>&1; then
    export EM_COMPILER_WRAPPER=ccache CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=true
  fi
  local source object
  for source in "$@"; do
    object="$objects/$(echo "$source" | tr '/' '_').o"
    objectFiles+=("$object")
    if [[ ! -f "$object" || "$source" -nt "$object" || -n "$(find "${watched[@]}" -name '*.h' -newer "$object" -print -quit)" ]]; then
      echo "$label: $source"
      em++ "${flags[@]}" -c "$source" -o "$object" &
      while (($(jobs -rp | wc -l) >= $(nproc))); do wait -n; done
    fi
  done
  wait
}
