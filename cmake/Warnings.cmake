# SPDX-FileCopyrightText: 2026 The Azimora developers
# SPDX-License-Identifier: MIT
# Warnings every target of the project builds with.
add_library(azimora_warnings INTERFACE)
add_library(Azimora::warnings ALIAS azimora_warnings)
target_compile_options(azimora_warnings INTERFACE -Wall -Wextra -Wpedantic)
if(AZIMORA_WARNINGS_AS_ERRORS)
  target_compile_options(azimora_warnings INTERFACE -Werror)
endif()
