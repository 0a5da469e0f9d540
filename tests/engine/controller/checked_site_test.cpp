// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// The site the controller publishes to the windows that follow the main
// window: read once at each change of a text, what is missing said.
#include <gtest/gtest.h>

#include "catalogue/builtin_catalogues.h"
#include "controller/controller.h"
#include "scripted_dialogs.h"
#include "temp_folder.h"

namespace azimora {
namespace {

struct Texts {
    const char* what;
    const char* latitude;
    const char* longitudeWest;
    const char* satelliteWest;
    MissingInput missing;
    bool location;
};

class CheckedSites : public ::testing::TestWithParam<Texts> {};

TEST_P(CheckedSites, FollowEveryChangeOfTheTexts) {
    const Texts& texts = GetParam();
    azimora::testing::TempFolder folder;
    azimora::testing::ScriptedDialogs dialogs;
    const auto satellites = BuiltInSatelliteCatalogue();
    const auto locations = BuiltInLocationCatalogue();
    PointingController controller(*satellites, *locations, folder.Path(), dialogs);
    EXPECT_EQ(controller.Checked().missing, MissingInput::Location);  // nothing entered at the start
    controller.SetValue(DisplayField::LocName, "Site");
    controller.SetValue(DisplayField::SatName, "Satellite");
    // As the window does: a text that does not calculate shows its error box.
    for (const auto& [field, text] : {std::pair{DisplayField::NLat, texts.latitude},
                                      std::pair{DisplayField::WLong, texts.longitudeWest},
                                      std::pair{DisplayField::SatLong, texts.satelliteWest}})
        RunHandler(dialogs, [&] { controller.SetValue(field, text); });
    const CheckedSite& checked = controller.Checked();
    EXPECT_EQ(checked.missing, texts.missing);
    EXPECT_EQ(checked.location.has_value(), texts.location);
    EXPECT_EQ(checked.site.has_value(), texts.missing == MissingInput::Nothing);
    // What the windows read is what the texts say when read again.
    EXPECT_EQ(checked, CheckSite(controller.Values()));
    if (checked.site) {
        EXPECT_EQ(checked.site->locationName, "Site");
        EXPECT_EQ(checked.site->satelliteName, "Satellite");
    }
    // A name changed later is in the site at once.
    controller.SetValue(DisplayField::LocName, "Renamed");
    if (controller.Checked().site) {
        EXPECT_EQ(controller.Checked().site->locationName, "Renamed");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, CheckedSites,
    ::testing::Values(Texts{"a whole site", "51.08", "114.08", "107.3", MissingInput::Nothing, true},
                      Texts{"no satellite yet", "51.08", "114.08", "0.00", MissingInput::Satellite, true},
                      Texts{"no longitude yet", "51.08", "0.00", "107.3", MissingInput::Location, false},
                      Texts{"a longitude that is no number", "51.08", "-", "107.3", MissingInput::Calculation, false},
                      Texts{"a latitude beyond any number", "1e5000", "114.08", "107.3", MissingInput::Calculation, false},
                      Texts{"straight overhead", "0", "10", "10", MissingInput::Nothing, true}),
    [](const auto& info) {
        std::string name;
        for (const char c : std::string(info.param.what)) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

}  // namespace
}  // namespace azimora
