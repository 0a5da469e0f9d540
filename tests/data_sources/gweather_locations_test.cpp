// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// libgweather's towns read through Qt's XML reader, and the folding of
// their names for search.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "errors.h"
#include "gweather_locations.h"
#include "text/search_folding.h"

namespace azimora {
namespace {

QString WriteLocations(const QTemporaryDir& folder, const QByteArray& cities) {
    const QString file = folder.filePath(QStringLiteral("Locations.xml"));
    QFile out(file);
    EXPECT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<gweather format=\"1.0\">\n<region><_name>Europe</_name>\n"
              "<country><_name>Switzerland</_name><iso-code>CH</iso-code>\n" +
              cities + "</country></region></gweather>\n");
    return file;
}

// A town placed off the globe ("inf nan", "95 200") used to fill the window
// with those numbers: it is left out, and the others stay.
TEST(GWeatherTowns, OnlyTownsOnTheGlobeAreTaken) {
    QTemporaryDir folder;
    const QString file = WriteLocations(folder,
                                        "<city><_name>Good</_name><coordinates>47.366667 8.55</coordinates></city>\n"
                                        "<city><_name>Infinite</_name><coordinates>inf nan</coordinates></city>\n"
                                        "<city><_name>Too far north</_name><coordinates>95 8</coordinates></city>\n"
                                        "<city><_name>Too far east</_name><coordinates>47 200</coordinates></city>\n"
                                        "<city><_name>Huge</_name><coordinates>1e999 8</coordinates></city>\n"
                                        "<city><_name>Edge</_name><coordinates>-90 -180</coordinates></city>\n");
    const auto places = sources::ReadGWeatherCities(file);
    ASSERT_EQ(places.size(), 2u);
    EXPECT_EQ(places[0].name, "Good");
    EXPECT_DOUBLE_EQ(places[0].longitudeWest, -8.55);
    EXPECT_EQ(places[1].name, "Edge");
    EXPECT_DOUBLE_EQ(places[1].longitudeWest, 180);
}

// A parse error said the package was missing; it is there, and broken.
TEST(GWeatherTowns, ABrokenFileIsCalledBroken) {
    QTemporaryDir folder;
    const QString file = WriteLocations(folder, "<city><_name>Good</_name><coordinates>47 8</coordinates>\n<oops></city>\n");
    try {
        (void)sources::ReadGWeatherCities(file);
        FAIL() << "a broken file was read";
    } catch (const Error& error) {
        const std::string message = error.what();
        EXPECT_TRUE(message.starts_with("The list of towns " + file.toStdString() + " is broken at line 6 (")) << message;
    }
}

// Debian's own files, when installed (the test command installs them).
TEST(DebianSources, TheWorldsTownsAndTheirSearch) {
    if (!QFile::exists(sources::kGWeatherLocations)) GTEST_SKIP() << "libgweather-4-common is not installed";
    const PlaceIndex index(sources::ReadGWeatherCities());
    EXPECT_GT(index.Size(), 4000u);
    const auto calgary = index.Search(FoldForSearch("Calgary"), 3);
    ASSERT_FALSE(calgary.empty());
    EXPECT_EQ(calgary[0]->name, "Calgary");
    EXPECT_NEAR(calgary[0]->latitude, 51.08, 0.01);
    EXPECT_NEAR(calgary[0]->longitudeWest, 114.08, 0.01);
    const auto sao = index.Search(FoldForSearch("sao paulo"), 3);
    ASSERT_FALSE(sao.empty());
    EXPECT_EQ(sao[0]->name, "S\u00E3o Paulo");
}

}  // namespace
}  // namespace azimora
