// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// Links to the web page: the address the user typed, checked; the site and
// satellite in the fragment in the page's own syntax, read back by the same
// angle reader the page uses, to a metre.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "formats/page_link.h"
#include "text/coordinate_text.h"

namespace azimora {
namespace {

std::map<std::string, std::string> FragmentOf(const std::string& link) {
    std::map<std::string, std::string> values;
    std::string rest = link.substr(link.find('#') + 1);
    while (!rest.empty()) {
        const std::string pair = rest.substr(0, rest.find('&'));
        values[pair.substr(0, pair.find('='))] = pair.substr(pair.find('=') + 1);
        rest = rest.find('&') == std::string::npos ? "" : rest.substr(rest.find('&') + 1);
    }
    return values;
}

TEST(PageLink, TheSiteAndSatelliteInThePagesOwnSyntax) {
    const struct {
        const char* address;
        PageLinkValues values;
        const char* link;
    } cases[] = {
        {"https://dish.example", {54.597, 5.93, -19.2, 0.8, 12, 22.3, {}},
         "https://dish.example/#lat=54.597N&lon=5.93W&sat=19.2E&dish=0.8&freq=12&offset=22.3"},
        {"https://dish.example/azimora/", {-33.8688, -151.2093, -156, 0.65, 11.7, 25, {}},
         "https://dish.example/azimora/#lat=33.8688S&lon=151.2093E&sat=156E&dish=0.65&freq=11.7&offset=25"},
        // The equator, Greenwich, the date line; a second satellite.
        {"https://h.example/p?x=1", {0, 0, 180, 1.2, 4, 0, -13},
         "https://h.example/p?x=1#lat=0&lon=0&sat=180W&dish=1.2&freq=4&offset=0&second=13E"},
        // To a metre: 0.00001 degree.
        {"http://localhost:8642", {51.081234567, 114.0812345, 107.3, 0.6, 12, 22.3, {}},
         "http://localhost:8642/#lat=51.08123N&lon=114.08123W&sat=107.3W&dish=0.6&freq=12&offset=22.3"},
    };
    for (const auto& c : cases) {
        ASSERT_FALSE(PageAddressProblem(c.address)) << c.address;
        EXPECT_EQ(PageLink(c.address, c.values), c.link);
    }
}

TEST(PageLink, ThePageReadsTheSiteBackToAMetre) {
    constexpr double kHalfTheLastDigit = 0.5e-5 + 1e-12;  // a tie rounds either way
    for (const double latitude : {-89.99999, -45.123456, -0.000004, 0.000006, 12.345678, 89.99999}) {
        for (const double west : {-179.999996, -90.5, -0.000007, 0.0, 5.93, 179.99999}) {
            const PageLinkValues values{latitude, west, -west / 2, 0.6, 12, 22.3, west};
            const auto fragment = FragmentOf(PageLink("https://dish.example/", values));
            const auto lat = ParseAngle(fragment.at("lat"), "NS");
            const auto lon = ParseAngle(fragment.at("lon"), "EW");
            const auto sat = ParseAngle(fragment.at("sat"), "EW");
            const auto second = ParseAngle(fragment.at("second"), "EW");
            ASSERT_TRUE(lat && lon && sat && second) << PageLink("https://dish.example/", values);
            EXPECT_NEAR(*lat, latitude, kHalfTheLastDigit);
            EXPECT_NEAR(*lon, west, kHalfTheLastDigit);
            EXPECT_NEAR(*sat, -west / 2, kHalfTheLastDigit);
            EXPECT_NEAR(*second, west, kHalfTheLastDigit);
        }
    }
}

TEST(PageLink, AddressesThatCannotCarryIt) {
    const struct {
        const char* address;
        const char* problem;  // a word of the reason
    } cases[] = {
        {"", "no address"},
        {"   ", "no address"},
        {"dish.example", "https://"},
        {"ftp://dish.example/", "https://"},
        {"file:///usr/share/azimora/web/index.html", "https://"},
        {"http://dish.example/", "only to an https address"},
        {"http://192.168.1.10:8642/", "only to an https address"},
        {"https://", "no host"},
        {"https:///path", "no host"},
        {"https://dish.example/#lat=1", "'#'"},
        {"https://dish example/", "no blanks"},
        {"https://dish.example/\"><script>", "quotes"},
    };
    for (const auto& c : cases) {
        const auto problem = PageAddressProblem(c.address);
        ASSERT_TRUE(problem) << c.address;
        EXPECT_NE(problem->find(c.problem), std::string::npos) << c.address << ": " << *problem;
    }
    for (const char* good : {"https://dish.example", " https://dish.example/azimora/ ", "HTTPS://Dish.Example/",
                             "http://127.0.0.1:8642/", "http://[::1]:8642/", "https://user@dish.example:8443/x"})
        EXPECT_FALSE(PageAddressProblem(good)) << good << ": " << PageAddressProblem(good).value_or("");
}

}  // namespace
}  // namespace azimora
