# SPDX-FileCopyrightText: 2026 The Azimora developers
# SPDX-License-Identifier: MIT
# Not compiling twice what has not changed.
#
# A compiler cache (Debian's ccache) for the builds of development and
# tests: paths are taken relative to the source folder and the working
# folder is not hashed, so another clone of the same sources hits the same
# cache. The package builds go without it (AZIMORA_CCACHE OFF in their
# preset): their bytes must come from the compiler, and two package builds
# from one cache would agree trivially.
#
# A precompiled header for what most of the shell's sources include and
# never changes: Qt's widgets (azimora_precompile_qt, cmake/precompiled/).
# GCC reads it in a fraction of the time it parses the headers. Not for the
# tests: GCC 12 then warns of its own string code inside them
# (-Warray-bounds, in char_traits.h), which the plain build does not.
option(AZIMORA_CCACHE "Compile through ccache where it is installed" ON)
if(AZIMORA_CCACHE)
  find_program(AZIMORA_CCACHE_PROGRAM ccache)
  if(AZIMORA_CCACHE_PROGRAM)
    # The sloppiness lets ccache cache sources built with a precompiled
    # header (its own documentation: "Precompiled headers").
    set(launcher ${CMAKE_COMMAND} -E env CCACHE_BASEDIR=${PROJECT_SOURCE_DIR} CCACHE_NOHASHDIR=true
        CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime ${AZIMORA_CCACHE_PROGRAM})
    set(CMAKE_CXX_COMPILER_LAUNCHER ${launcher})
    set(CMAKE_C_COMPILER_LAUNCHER ${launcher})
    unset(launcher)
  endif()
endif()

function(azimora_precompile_qt target)
  target_precompile_headers(${target} PRIVATE ${PROJECT_SOURCE_DIR}/cmake/precompiled/qt_widgets.h)
endfunction()
