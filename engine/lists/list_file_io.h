// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

// File access of the user lists: whole-file reads and single-record appends,
// each part in a file of its own: the reading, the writing (whole or not at
// all), the lock saves take turns by, and the system's errors as the
// engine's.
#include "lists/list_file_lock.h"
#include "lists/list_file_reading.h"
#include "lists/list_file_writing.h"
#include "lists/system_errors.h"
