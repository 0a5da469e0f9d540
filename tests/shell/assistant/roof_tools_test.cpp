// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// On the roof: the line of sight exported for map programs, read back by
// Qt's XML reader and JSON parser, and a second satellite on the same dish
// in Installation Details, the sky chart and the sheet's rows.
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QXmlStreamReader>

#include <cmath>

#include "installation/assistant_session.h"
#include "assistant/installation_details_window.h"
#include "assistant/line_of_sight_export.h"
#include "assistant/second_satellite_editor.h"
#include "geometry/geodesic.h"
#include "sky_chart/display_sky_chart.h"
#include "tools_menu.h"
#include "window_fixture.h"

namespace azimora::shell {
namespace {

struct MapPoint {
    double longitudeEast = 0;
    double latitude = 0;
    double height = 0;
};

// Every line's last point, in file order, as Qt's XML reader finds them.
std::vector<MapPoint> KmlLineEnds(const QByteArray& kml) {
    std::vector<MapPoint> ends;
    QXmlStreamReader xml(kml);
    bool inLine = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("LineString")) inLine = true;
        if (xml.isEndElement() && xml.name() == QLatin1String("LineString")) inLine = false;
        if (inLine && xml.isStartElement() && xml.name() == QLatin1String("coordinates")) {
            const QStringList tuple = xml.readElementText().split(u' ', Qt::SkipEmptyParts).last().split(u',');
            ends.push_back({tuple.value(0).toDouble(), tuple.value(1).toDouble(), tuple.value(2).toDouble()});
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return ends;
}

MapPoint GeoJsonLineEnd(const QByteArray& json) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    const QJsonArray features = document.object().value(QStringLiteral("features")).toArray();
    const QJsonArray line = features.at(1).toObject().value(QStringLiteral("geometry")).toObject().value(
        QStringLiteral("coordinates")).toArray();
    const QJsonArray end = line.last().toArray();
    return {end.at(0).toDouble(), end.at(1).toDouble(), 0};
}

// Geodesics of C. F. F. Karney's test set (GeodTest.dat, GeographicLib's
// published geodesic test data), its short lines: lat1, azi1, s12, and
// where they end, lat2 and lon2 (lon1 is 0).
struct KarneyLine {
    double latitude1, azimuth1, distance, latitude2, longitude2;
};
constexpr KarneyLine kKarneyLines[] = {
    {18.725775553796, 98.927919777265, 706.2676803, 18.724785210853172866, .006615636046166963},
    {47.900780879363, 148.758779524609, 191.3088022, 47.899309788344023215, .001327005894209747},
    {60.077425015363, 81.639916890942, 592.5766309, 60.078197903525388982, .010531670881733178},
    {36.800966049655, 43.389649034063, 293.7372273, 36.802889529289609993, .002261122427425817},
    {56.310719132311, 155.158323803365, 792.7231052, 56.304258387808388716, .005380024608319352},
    {8.849455388939, 129.673344478389, 1099.6867173, 8.843107684651578467, .007694428892432052},
    {2.514600234503, 166.362139719401, 927.7647972, 2.506446532968658234, .00196695535966103},
};

// The published end lies within 1 m of ours; from the site, ours lies at
// the published distance (1 m) and azimuth (0.01 degree).
void ExpectAtKarneysEnd(const MapPoint& end, const KarneyLine& line, const char* format) {
    const auto apart = GeodesicInverse(line.latitude2, line.longitude2, end.latitude, end.longitudeEast);
    ASSERT_TRUE(apart);
    EXPECT_LT(apart->distanceMetres, 1.0) << format << " at " << line.latitude1;
    const auto fromSite = GeodesicInverse(line.latitude1, 0, end.latitude, end.longitudeEast);
    ASSERT_TRUE(fromSite);
    EXPECT_NEAR(fromSite->distanceMetres, line.distance, 1.0) << format << " at " << line.latitude1;
    EXPECT_NEAR(fromSite->startAzimuth, line.azimuth1, 0.01) << format << " at " << line.latitude1;
}

TEST(LineOfSightFiles, EndWhereKarneysGeodesicsEnd) {
    for (const KarneyLine& karney : kKarneyLines) {
        LineOfSight line;
        line.siteName = "Test site";
        line.satelliteName = "Test satellite";
        line.latitude = karney.latitude1;
        line.longitudeWest = 0;
        line.azimuth = karney.azimuth1;
        line.elevation = 20;
        line.lengthMetres = karney.distance;
        const std::vector<MapPoint> ends = KmlLineEnds(QByteArray::fromStdString(LineOfSightKml(line)));
        ASSERT_EQ(ends.size(), 2u);  // on the ground, and rising
        for (const MapPoint& end : ends) ExpectAtKarneysEnd(end, karney, "KML");
        EXPECT_NEAR(ends[1].height, karney.distance * std::tan(20 * 3.14159265358979 / 180), 0.2);
        ExpectAtKarneysEnd(GeoJsonLineEnd(QByteArray::fromStdString(LineOfSightGeoJson(line))), karney, "GeoJSON");
    }
}

class RoofTools : public testing::WindowTest {
protected:
    static QByteArray Read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(RoofTools, ExportLineOfSightWritesBothFilesThatParsersRead) {
    SetSite("Calgary", "51.08", "114.08", "Anik F1R", "107.3");
    LineOfSightDialog& dialog = ToolsMenu::Of(*window).openLineOfSight();
    QString suggested;
    const QString chosen = QString::fromStdString((folder.Path() / "roof.kml").string());
    dialog.setFileChooser([&](QWidget*, const QString& name) {
        suggested = name;
        return chosen;
    });
    dialog.length().setValue(2500);
    dialog.altitudeKnown().setChecked(true);
    dialog.altitude().setValue(1045);
    ASSERT_TRUE(dialog.save()) << dialog.status().toStdString();
    EXPECT_EQ(suggested, "Calgary line of sight.kml");
    const QString kmlPath = QString::fromStdString((folder.Path() / "roof.kml").string());
    const QString jsonPath = QString::fromStdString((folder.Path() / "roof.geojson").string());
    EXPECT_EQ(dialog.status(), QStringLiteral("Saved %1 and %2.").arg(kmlPath, jsonPath));
    const QByteArray kml = Read(kmlPath);
    EXPECT_TRUE(kml.contains("<altitudeMode>absolute</altitudeMode>")) << kml.constData();
    const std::vector<MapPoint> ends = KmlLineEnds(kml);
    ASSERT_EQ(ends.size(), 2u);
    // 2.5 km on the azimuth of 171.306 degrees, 1045 m + 2500 tan(31.192) + curvature up.
    const auto back = GeodesicInverse(51.08, -114.08, ends[1].latitude, ends[1].longitudeEast);
    ASSERT_TRUE(back);
    EXPECT_NEAR(back->distanceMetres, 2500, 1.0);
    EXPECT_NEAR(back->startAzimuth, 171.306422331434, 0.01);
    EXPECT_NEAR(ends[1].height, 1045 + 2500 * 0.605467 + 0.85, 0.5);
    const MapPoint jsonEnd = GeoJsonLineEnd(Read(jsonPath));
    EXPECT_NEAR(jsonEnd.latitude, ends[1].latitude, 1e-9);
    EXPECT_NEAR(jsonEnd.longitudeEast, ends[1].longitudeEast, 1e-9);
}

// The name suggested keeps nothing FAT, NTFS or the file dialog would read
// otherwise; the files' skew says which way to turn; one satellite property.
TEST_F(RoofTools, TheSuggestedNameAndTheFilesSayItAsTheScreenDoes) {
    EXPECT_EQ(SuggestedLineOfSightName(QStringLiteral("Smith & Sons <Roof> \"East\" \u00DC")),
              QStringLiteral("Smith & Sons Roof East \u00DC line of sight.kml"));
    EXPECT_EQ(SuggestedLineOfSightName(QStringLiteral("a/b\\c:d|e?f*g\th")), QStringLiteral("a b c d e f g h line of sight.kml"));
    SetSite("Calgary", "51.08", "114.08", "Anik F1R", "107.3");
    LineOfSightDialog& dialog = ToolsMenu::Of(*window).openLineOfSight();
    const QString chosen = QString::fromStdString((folder.Path() / "roof.kml").string());
    dialog.setFileChooser([&](QWidget*, const QString&) { return chosen; });
    ASSERT_TRUE(dialog.save()) << dialog.status().toStdString();
    const QByteArray json = Read(QString::fromStdString((folder.Path() / "roof.geojson").string()));
    EXPECT_TRUE(json.contains("counter-clockwise, seen from behind the dish")) << json.constData();
    EXPECT_FALSE(json.contains("\"satellite\":")) << json.constData();
    EXPECT_TRUE(json.contains("\"Satellite\":")) << json.constData();
    EXPECT_TRUE(Read(chosen).contains("counter-clockwise, seen from behind the dish"));
}

TEST_F(RoofTools, NoLineForASatelliteOutOfSight) {
    SetSite("Calgary", "51.08", "114.08", "Astra 1KR", "-19.2");
    LineOfSightDialog& dialog = ToolsMenu::Of(*window).openLineOfSight();
    bool asked = false;
    dialog.setFileChooser([&](QWidget*, const QString&) {
        asked = true;
        return QString::fromStdString((folder.Path() / "none.kml").string());
    });
    EXPECT_FALSE(dialog.save());
    EXPECT_FALSE(asked) << "a file name was asked for a line that cannot be drawn";
    ASSERT_FALSE(dialogs.errors.empty());
    EXPECT_EQ(dialogs.errors.back(), "The satellite is not in sight from this site: there is no line of sight.");
    EXPECT_FALSE(QFile::exists(QString::fromStdString((folder.Path() / "none.kml").string())));
}

// Zurich, Astra 19.2 E with Astra 23.5 E typed as "23.5E", then Hot Bird
// 13 E chosen from the listing.
TEST_F(RoofTools, ASecondSatelliteInDetailsAndOnTheChart) {
    SetSite("Zurich", "47.37", "-8.54", "Astra 1KR", "-19.2");
    InstallationDetailsWindow& details = ToolsMenu::Of(*window).openDetails();
    auto* editor = details.findChild<SecondSatelliteEditor*>();
    ASSERT_NE(editor, nullptr);
    const auto rows = [&] {
        QCoreApplication::processEvents();
        QMap<QString, QString> found;
        for (const InstallationRow& row : InstallationRows(details.report()))
            if (row.section == QLatin1String("Second satellite")) found[row.label] = row.value;
        return found;
    };
    EXPECT_TRUE(rows().isEmpty());
    editor->satellite().setCurrentText(QStringLiteral("23.5E"));
    emit editor->satellite().lineEdit()->editingFinished();
    auto second = rows();
    EXPECT_EQ(second.value(QStringLiteral("Second satellite")), QStringLiteral("23.50 E"));
    EXPECT_TRUE(second.value(QStringLiteral("Separation")).startsWith(QStringLiteral("4.74\u00B0")))
        << second.value("Separation").toStdString();
    EXPECT_EQ(second.value(QStringLiteral("Monoblock")), QStringLiteral("a 4.3\u00B0 monoblock fits"));
    // Astra 23.5 E stands east of 19.2 E, to the left from behind: its LNB goes right.
    EXPECT_TRUE(second.value(QStringLiteral("Second LNB")).contains(QStringLiteral(" mm right")))
        << second.value("Second LNB").toStdString();
    EXPECT_TRUE(second.value(QStringLiteral("Second LNB")).contains(QStringLiteral("focal length 360 mm")));

    // A satellite of the listing by its name; the focal length as measured.
    const int hotBird = editor->satellite().findText(QStringLiteral("Hot Bird 1 thru 5"), Qt::MatchStartsWith);
    ASSERT_GT(hotBird, 0);
    editor->satellite().setCurrentIndex(hotBird);
    emit editor->satellite().activated(hotBird);
    editor->focalLength().setValue(480);
    second = rows();
    EXPECT_EQ(second.value(QStringLiteral("Second satellite")), QStringLiteral("Hot Bird 1 thru 5 (13.00 E)"));
    EXPECT_EQ(second.value(QStringLiteral("Monoblock")), QStringLiteral("a 6\u00B0 monoblock fits"));
    EXPECT_TRUE(second.value(QStringLiteral("Second LNB")).contains(QStringLiteral(" mm left")));
    EXPECT_TRUE(second.value(QStringLiteral("Second LNB")).contains(QStringLiteral("focal length 480 mm")));

    // What is neither: said, and nothing changes.
    const AssistantSettings before = AssistantSession::Of(*window).settings();
    editor->satellite().setCurrentText(QStringLiteral("thirteen"));
    emit editor->satellite().lineEdit()->editingFinished();
    EXPECT_EQ(AssistantSession::Of(*window).settings().secondSatelliteWest, before.secondSatelliteWest);
    EXPECT_TRUE(editor->findChild<QLabel*>(QStringLiteral("secondSatelliteHint"))->text().startsWith(
        QStringLiteral("\"thirteen\" is no satellite")));

    // The sky chart rings it, wherever it stands in the site's sky.
    const auto chart = DisplaySkyChart(*window).build({}, QDateTime::currentDateTime(), QTimeZone::utc(),
                                                      SecondSatelliteOnChart(AssistantSession::Of(*window).settings()));
    ASSERT_TRUE(chart && chart->second);
    EXPECT_GT(chart->second->position.elevation, 30);
    // None again: the rows go.
    editor->satellite().setCurrentIndex(0);
    emit editor->satellite().activated(0);
    EXPECT_TRUE(rows().isEmpty());
}

}  // namespace
}  // namespace azimora::shell
