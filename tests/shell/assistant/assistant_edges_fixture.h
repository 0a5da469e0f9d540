// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QCoreApplication>

#include "window_fixture.h"

namespace azimora::shell::testing {

// The main window with a site, and a satellite unless it is null, as its
// boxes would hold them; the assistant's windows have looked again.
class AssistantEdges : public WindowTest {
protected:
    void SetSite(const char* latitude, const char* longitudeWest, const char* satelliteLongitudeWest,
                 const char* name = "Site") {
        window->controller().SetValue(DisplayField::LocName, name);
        window->controller().SetValue(DisplayField::NLat, latitude);
        window->controller().SetValue(DisplayField::WLong, longitudeWest);
        if (satelliteLongitudeWest != nullptr) {
            window->controller().SetValue(DisplayField::SatName, "Test satellite");
            window->controller().SetValue(DisplayField::SatLong, satelliteLongitudeWest);
        }
        QCoreApplication::processEvents();
    }
};

}  // namespace azimora::shell::testing
