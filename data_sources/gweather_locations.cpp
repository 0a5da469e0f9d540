// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "gweather_locations.h"

#include <QFile>
#include <QXmlStreamReader>

#include <cmath>

#include "errors.h"
#include "text/search_folding.h"

namespace azimora::sources {
namespace {

[[noreturn]] void ThrowMissing(const QString& file, const QString& why) {
    throw Error((QStringLiteral("Cannot read the list of towns %1 (%2): it comes with Debian's package "
                                "libgweather-4-common (apt-get install libgweather-4-common)")
                     .arg(file, why))
                    .toStdString());
}

// The coordinates text: latitude and longitude, east positive. A town
// placed off the globe ("inf nan", "95 200") is left out, not shown.
bool ReadCoordinates(const QString& text, Place& place) {
    const QStringList parts = text.simplified().split(u' ');
    if (parts.size() != 2) return false;
    bool latitudeOk = false, longitudeOk = false;
    const double latitude = parts[0].toDouble(&latitudeOk);
    const double longitudeEast = parts[1].toDouble(&longitudeOk);
    if (!latitudeOk || !longitudeOk || !std::isfinite(latitude) || !std::isfinite(longitudeEast)) return false;
    if (std::fabs(latitude) > 90 || std::fabs(longitudeEast) > 180) return false;
    place.latitude = latitude;
    place.longitudeWest = longitudeEast == 0 ? 0 : -longitudeEast;
    return true;
}

[[noreturn]] void ThrowBroken(const QString& file, const QXmlStreamReader& xml) {
    throw Error((QStringLiteral("The list of towns %1 is broken at line %2 (%3); reinstalling Debian's package "
                                "libgweather-4-common restores it")
                     .arg(file)
                     .arg(xml.lineNumber())
                     .arg(xml.errorString()))
                    .toStdString());
}

// A name in another language (xml:lang); the English one has none.
bool Translated(const QXmlStreamAttributes& attributes) {
    for (const QXmlStreamAttribute& attribute : attributes)
        if (attribute.qualifiedName() == u"xml:lang") return true;
    return false;
}

}  // namespace

std::vector<Place> ReadGWeatherCities(const QString& file) {
    QFile input(file);
    if (!input.exists()) ThrowMissing(file, QStringLiteral("no such file"));
    if (!input.open(QIODevice::ReadOnly)) ThrowMissing(file, input.errorString());

    std::vector<Place> places;
    QXmlStreamReader xml(&input);
    // The names of the enclosing country and state, and the place being read.
    QString country, state;
    QStringList open;  // element names, outermost first
    // The zone each open element has, its own tz-hint or its parent's:
    // countries and states name it once for all their towns.
    QStringList zones;
    Place city;
    bool hasCoordinates = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const QString element = xml.name().toString();
            open << element;
            zones << (zones.isEmpty() ? QString() : zones.back());
            if (element == u"city") {
                city = {};
                hasCoordinates = false;
            } else if (element == u"state") {
                state.clear();
            } else if (element == u"country") {
                country.clear();
                state.clear();
            } else if (element == u"_name" || (element == u"name" && !Translated(xml.attributes()))) {
                const QString parent = open.size() >= 2 ? open[open.size() - 2] : QString();
                const QString text = xml.readElementText();
                open.removeLast();
                if (parent == u"country") country = text;
                if (parent == u"state") state = text;
                if (parent == u"city" && city.name.empty()) city.name = text.toStdString();
                zones.removeLast();
            } else if (element == u"coordinates" && open.size() >= 2 && open[open.size() - 2] == u"city") {
                hasCoordinates = ReadCoordinates(xml.readElementText(), city);
                open.removeLast();
                zones.removeLast();
            } else if (element == u"tz-hint" && zones.size() >= 2) {
                zones[zones.size() - 2] = xml.readElementText().trimmed();
                open.removeLast();
                zones.removeLast();
            }
        } else if (xml.isEndElement()) {
            const QString zone = zones.isEmpty() ? QString() : zones.takeLast();
            if (!open.isEmpty()) open.removeLast();
            if (xml.name() == u"city" && hasCoordinates && !city.name.empty()) {
                city.timeZone = zone.toStdString();
                city.state = state.toStdString();
                city.country = country.toStdString();
                city.key = FoldForSearch(city.name);
                places.push_back(std::move(city));
            } else if (xml.name() == u"state") {
                state.clear();
            }
        }
    }
    if (xml.hasError()) ThrowBroken(file, xml);
    if (places.empty()) ThrowMissing(file, QStringLiteral("it lists no towns"));
    return places;
}

}  // namespace azimora::sources
