// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// The report's words and the import's reasons under a locale that writes a
// decimal comma: the desktop's toolkit sets the user's locale in the C
// library at its start, and every figure must still read "5.50", as in the
// calculator and on the page.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <regex>
#include <string>

#include "formats/geostationary_objects.h"
#include "geometry/two_satellite_dish.h"
#include "report/report_words.h"
#include "report/shown_numbers.h"
#include "temp_folder.h"

namespace azimora {
namespace {

// German as the C library writes it ("5,50"), compiled into a folder of the
// test's own (Debian's locales package has its sources); restored after.
class CommaLocale : public ::testing::Test {
protected:
    azimora::testing::TempFolder folder;

    void SetUp() override {
        const std::string made = "localedef -i de_DE -f UTF-8 '" + (folder.Path() / "de_DE.UTF-8").string() + "' 2>/dev/null";
        if (std::system(made.c_str()) != 0) GTEST_SKIP() << "localedef cannot make de_DE.UTF-8 here";
        ::setenv("LOCPATH", folder.Path().c_str(), 1);
        if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "de_DE.UTF-8 does not load";
        char written[16];
        std::snprintf(written, sizeof written, "%.2f", 5.5);
        ASSERT_EQ(std::string(written), "5,50");  // the locale is the one the fault needs
    }
    void TearDown() override {
        std::setlocale(LC_ALL, "C");
        ::unsetenv("LOCPATH");
    }
};

TEST_F(CommaLocale, FiguresKeepTheDecimalPoint) {
    struct Case {
        std::string written, expected;
    };
    OrbitalElements eccentric;
    eccentric.meanMotion = 1.0027;
    eccentric.eccentricity = 0.27;
    std::string problem;
    (void)PlaceGeostationary(eccentric, 0, problem);
    const TwoSatelliteDish apart = ComputeTwoSatelliteDish(51.08, 114.08, 107.3, 60, 0.6, 360);
    const Case cases[] = {
        {DegreesText(5.5, 2), "5.50\u00B0"},
        {SkewWords(-12.34, true, {}), "turn the LNB 12.3\u00B0 counter-clockwise, seen from behind the dish"},
        {FaceTiltWords(8.888, 22.3), "8.89\u00B0 on an inclinometer: the face tilted back, looking up, for an offset of 22.3\u00B0"},
        {problem, "not geostationary: eccentricity 0.27 (far from a circle)"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.written, c.expected);
    // 47 degrees apart on a 60 cm dish: beyond its rim, said with its figures.
    ASSERT_FALSE(apart.beyondReach.empty());
    EXPECT_FALSE(std::regex_search(apart.beyondReach, std::regex("[0-9],[0-9]"))) << apart.beyondReach;
}

}  // namespace
}  // namespace azimora
