// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "formats/page_link.h"

#include <cmath>

#include "text/number_text.h"

namespace azimora {
namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != prefix[i]) return false;
    }
    return true;
}

// The host of an absolute address, without user, port and path.
std::string_view HostOf(std::string_view rest) {
    rest = rest.substr(0, rest.find_first_of("/?"));
    if (const auto at = rest.rfind('@'); at != std::string_view::npos) rest.remove_prefix(at + 1);
    if (!rest.empty() && rest.front() == '[') return rest.substr(0, rest.find(']') + 1);
    return rest.substr(0, rest.find(':'));
}

}  // namespace

std::string LinkAngle(double value, char positive, char negative) {
    const std::string magnitude = FormatFixedTrimmed(std::fabs(value), 5);
    if (magnitude == "0") return magnitude;
    return magnitude + (value > 0 ? positive : negative);
}

std::optional<std::string> PageAddressProblem(std::string_view address) {
    address = TrimBlanks(address);
    if (address.empty()) return "no address is set";
    for (const char c : address)
        if (static_cast<unsigned char>(c) <= ' ' || c == '"' || c == '<' || c == '>' || c == '\\' || c == '`')
            return "an address has no blanks, quotes or angle brackets";
    if (address.find('#') != std::string_view::npos) return "the address may not have a '#': the link puts the site there";
    const bool https = StartsWithNoCase(address, "https://");
    const bool http = StartsWithNoCase(address, "http://");
    if (!https && !http) return "the address must start with https://";
    const std::string_view host = HostOf(address.substr(https ? 8 : 7));
    if (host.empty()) return "the address names no host";
    if (http && host != "localhost" && host != "127.0.0.1" && host != "[::1]")
        return "a phone gives its position and compass only to an https address";
    return std::nullopt;
}

std::string PageLink(std::string_view address, const PageLinkValues& values) {
    address = TrimBlanks(address);
    std::string link(address);
    const std::size_t scheme = link.find("://") + 3;
    if (link.find('/', scheme) == std::string::npos && link.find('?', scheme) == std::string::npos) link += '/';
    link += "#lat=" + LinkAngle(values.latitude, 'N', 'S');
    link += "&lon=" + LinkAngle(values.longitudeWest, 'W', 'E');
    link += "&sat=" + LinkAngle(values.satelliteLongitudeWest, 'W', 'E');
    link += "&dish=" + FormatFixedTrimmed(values.dishDiameterMetres, 3);
    link += "&freq=" + FormatFixedTrimmed(values.frequencyGHz, 3);
    link += "&offset=" + FormatFixedTrimmed(values.offsetAngle, 2);
    if (const auto second = values.secondSatelliteLongitudeWest) link += "&second=" + LinkAngle(*second, 'W', 'E');
    return link;
}

}  // namespace azimora
