// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// The page's copy of Debian's DVB scan tables, made at development time by
// the engine's own reader (scripts/make-web-scan-tables.sh): a C++ source
// of the list ScanTableList writes, for the page's WebAssembly, which reads
// no files. The test web_facade_tests holds the copy against the tables
// installed.
//   scan_tables_tool [folder] > web/facade/page_scan_tables.cpp
#include <cstdio>
#include <exception>
#include <string>

#include "formats/dvb_scan_tables.h"

int main(int argc, char* argv[]) {
    try {
        const auto tables = azimora::ReadScanTables(argc > 1 ? argv[1] : azimora::kDvbScanTablesFolder);
        const std::string list = azimora::ScanTableList(tables.satellites);
        std::string source =
            "// SPDX-FileCopyrightText: 2026 The Azimora developers\n"
            "// SPDX-License-Identifier: MIT\n"
            "// Made by scripts/make-web-scan-tables.sh from Debian's DVB scan tables\n"
            "// (dtv-scan-tables); not edited by hand.\n"
            "#include \"page_scan_tables.h\"\n\n"
            "namespace azimora::web {\n\n"
            "std::string_view PageScanTableList() {\n"
            "    return\n";
        std::size_t start = 0;
        for (std::size_t end = list.find('\n'); end != std::string::npos; start = end + 1, end = list.find('\n', start)) {
            std::string line = list.substr(start, end - start);
            std::string quoted;
            for (const char c : line) quoted += c == '"' || c == '\\' ? std::string("\\") + c : c == '\t' ? std::string("\\t") : std::string(1, c);
            source += "        \"" + quoted + "\\n\"\n";
        }
        source += "        \"\";\n}\n\n}  // namespace azimora::web\n";
        std::fputs(source.c_str(), stdout);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "scan_tables_tool: %s\n", error.what());
        return 1;
    }
}
