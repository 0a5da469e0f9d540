// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// The desktop's Find Location on the command line, for the phone's page's
// test to hold its town search against: libgweather's towns read through
// Qt, each query folded and searched as the dialog does. A line in, a line
// out: a query gives its towns ("name<TAB>latitude<TAB>longitude west" each,
// parted by a form feed), "fold: text" gives the text folded.
//   find_towns < queries
#include <iostream>
#include <string>

#include "formats/place_search.h"
#include "gweather_locations.h"
#include "text/search_folding.h"

int main() {
    try {
        const azimora::PlaceIndex towns(azimora::sources::ReadGWeatherCities());
        for (std::string line; std::getline(std::cin, line);) {
            if (line.starts_with("fold: ")) {
                std::cout << azimora::FoldForSearch(line.substr(6)) << '\n';
                continue;
            }
            std::string found;
            for (const azimora::Place* place : towns.Search(azimora::FoldForSearch(line), 60))
                found += (found.empty() ? "" : "\f") + place->name + '\t' + std::to_string(place->latitude) + '\t' +
                         std::to_string(place->longitudeWest);
            std::cout << found << '\n';
        }
        return std::cout.flush() ? 0 : 1;
    } catch (const std::exception& error) {
        std::cerr << "find_towns: " << error.what() << '\n';
        return 1;
    }
}
