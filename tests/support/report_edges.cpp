// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "report_edges.h"

#include <fstream>
#include <regex>
#include <sstream>
#include <stdexcept>

#include "text/json_reader.h"

namespace azimora::testing {
namespace {

std::map<std::string, std::string> Texts(const JsonValue* object) {
    std::map<std::string, std::string> texts;
    if (object != nullptr)
        for (const JsonMember& member : object->members) texts[member.name] = member.value.text;
    return texts;
}

ReportEdgeTable Read() {
    std::ifstream in(AZIMORA_REPORT_EDGES);
    std::stringstream text;
    text << in.rdbuf();
    if (!in) throw std::runtime_error("cannot read " AZIMORA_REPORT_EDGES);
    const JsonValue root = ParseJson(text.str());
    ReportEdgeTable table;
    table.date = root.Find("date")->text;
    table.site = Texts(root.Find("site"));
    for (const JsonValue& item : root.Find("cases")->items) {
        ReportEdgeCase edge;
        edge.name = item.Find("name")->text;
        edge.input = Texts(item.Find("input"));
        edge.words = Texts(item.Find("words"));
        edge.needsScanTables = item.Find("needs") != nullptr;
        if (const JsonValue* figures = item.Find("figures")) {
            for (const JsonMember& member : figures->members) {
                if (member.name == "visible") edge.visible = member.value.boolean;
                else if (member.name == "compass_warning") edge.compassWarning = member.value.text;
                else edge.figures[member.name] = {std::stod(member.value.items.at(0).text), std::stod(member.value.items.at(1).text)};
            }
        }
        table.cases.push_back(std::move(edge));
    }
    for (const JsonValue& item : root.Find("inputs")->items) {
        const JsonValue* error = item.Find("error");
        table.inputs.push_back({item.Find("field")->text, item.Find("text")->text,
                                error->kind == JsonValue::Kind::Null ? std::nullopt : std::optional(error->text)});
    }
    return table;
}

}  // namespace

std::string ReportEdgeCase::Input(const std::string& key, const std::string& fallback) const {
    const auto found = input.find(key);
    return found == input.end() ? fallback : found->second;
}

const ReportEdgeTable& ReportEdges() {
    static const ReportEdgeTable table = Read();
    return table;
}

std::string NegativeZeroIn(const std::string& text) {
    static const std::regex negativeZero(R"(-0\.0+(?![0-9]*[1-9]))");
    std::smatch match;
    return std::regex_search(text, match, negativeZero) ? match.str() : std::string();
}

}  // namespace azimora::testing
