// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

// The page's copy of Debian's DVB scan tables, as formats/dvb_scan_tables.h
// lists them (ScanTableList): made at development time from the tables
// installed (scripts/make-web-scan-tables.sh), since the page reads no files.
namespace azimora::web {

[[nodiscard]] std::string_view PageScanTableList();

}  // namespace azimora::web
