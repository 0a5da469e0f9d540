// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "geometry/site.h"

// A link to the web page that opens it with a site and satellite, for the
// phone on the roof: the page's address with the values in its fragment,
// "https://dish.example/#lat=54.597N&lon=5.93W&sat=19.2E&dish=0.8". The
// fragment stays in the phone: a static host never sees the site.
namespace azimora {

// The site and its satellite (geometry/site.h), and the dish.
struct PageLinkValues : DishSite {
    double dishDiameterMetres = 0;
    double frequencyGHz = 0;
    double offsetAngle = 0;
    std::optional<double> secondSatelliteLongitudeWest;
};

// Whether a typed address can carry the link: an absolute https address
// with a host and no fragment of its own (http only on this computer,
// localhost or 127.0.0.1, where a browser counts it as secure). The empty
// optional: it can; otherwise the reason, for the window to show.
[[nodiscard]] std::optional<std::string> PageAddressProblem(std::string_view address);

// The link; the address must have passed PageAddressProblem. A bare host
// gets its "/". Angles with their hemisphere letters, to 0.00001 degree
// (a metre); the dish's settings as given.
[[nodiscard]] std::string PageLink(std::string_view address, const PageLinkValues& values);

// An angle as the link writes it: to 0.00001 degree, trailing zeros dropped,
// its hemisphere letter after it ("54.597N", "5.93W", "19.2E"); zero takes
// no side ("0"). positive and negative: 'N' and 'S', or 'W' and 'E'.
[[nodiscard]] std::string LinkAngle(double value, char positive, char negative);

}  // namespace azimora
