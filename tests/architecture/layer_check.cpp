// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
//
// Guards the layers: reads who may include whom from docs/architecture.md
// (the table between the "layers" markers), then every #include "..." of
// every source file under the layered folders. Fails on an include that
// climbs, on Qt in a layer that must stay free of it, on a source file that
// belongs to no layer, and on rules that go round in a circle.
//   layer_check <project folder>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Layer {
    std::set<std::string> mayInclude;
    bool qt = false;
};

using Rules = std::map<std::string, Layer>;

std::string Unticked(std::string cell) {
    cell.erase(std::remove(cell.begin(), cell.end(), '`'), cell.end());
    const auto first = cell.find_first_not_of(' ');
    const auto last = cell.find_last_not_of(' ');
    return first == std::string::npos ? std::string() : cell.substr(first, last - first + 1);
}

std::vector<std::string> Cells(const std::string& row) {
    std::vector<std::string> cells;
    std::stringstream stream(row.substr(row.find('|') + 1));
    std::string cell;
    while (std::getline(stream, cell, '|')) cells.push_back(Unticked(cell));
    if (!cells.empty() && cells.back().empty()) cells.pop_back();
    return cells;
}

// | `engine/lists` | `engine/catalogue`, `engine/text` | no |
Rules ReadRules(const fs::path& page) {
    std::ifstream in(page);
    if (!in) throw std::runtime_error("cannot read " + page.string());
    Rules rules;
    bool inside = false;
    for (std::string line; std::getline(in, line);) {
        if (line.find("<!-- layers: begin -->") != std::string::npos) inside = true;
        if (line.find("<!-- layers: end -->") != std::string::npos) inside = false;
        if (!inside || line.rfind("| `", 0) != 0) continue;
        const auto cells = Cells(line);
        if (cells.size() != 3) throw std::runtime_error("a layer row needs three cells: " + line);
        Layer layer;
        std::stringstream names(cells[1]);
        for (std::string name; std::getline(names, name, ',');) {
            name = Unticked(name);
            if (!name.empty() && name != "nothing") layer.mayInclude.insert(name);
        }
        layer.qt = cells[2] == "yes";
        rules[cells[0]] = layer;
    }
    if (rules.empty()) throw std::runtime_error("no layer table in " + page.string());
    // `engine/*`: every layer of the engine.
    for (auto& [name, layer] : rules) {
        std::set<std::string> expanded;
        for (const auto& other : layer.mayInclude) {
            if (other.size() < 2 || other.compare(other.size() - 2, 2, "/*") != 0) {
                expanded.insert(other);
                continue;
            }
            const std::string prefix = other.substr(0, other.size() - 1);
            for (const auto& [candidate, ignored] : rules)
                if (candidate.rfind(prefix, 0) == 0 && candidate != name) expanded.insert(candidate);
        }
        layer.mayInclude = expanded;
    }
    return rules;
}

// A file belongs to the longest layer name that is a folder above it, or
// its own path without the extension (a layer of one header and its source).
std::string LayerOf(const fs::path& relative, const Rules& rules) {
    std::vector<std::string> parts;
    for (const auto& part : relative) parts.push_back(part.string());
    parts.back() = fs::path(parts.back()).stem().string();
    for (std::size_t count = parts.size(); count > 0; --count) {
        std::string name;
        for (std::size_t i = 0; i < count; ++i) name += (i ? "/" : "") + parts[i];
        if (rules.count(name)) return name;
    }
    return {};
}

bool Climbs(const std::string& from, const std::string& to, const Rules& rules) {
    return from != to && !rules.at(from).mayInclude.count(to);
}

// Rules that go round (a may include b, b may include a) are no layering.
std::vector<std::string> Circles(const Rules& rules) {
    std::vector<std::string> found;
    std::map<std::string, int> state;  // 0 new, 1 on the path, 2 done
    std::vector<std::string> path;
    const auto visit = [&](const auto& self, const std::string& name) -> void {
        state[name] = 1;
        path.push_back(name);
        const auto layer = rules.find(name);
        if (layer != rules.end()) {
            for (const auto& next : layer->second.mayInclude) {
                if (state[next] == 1) {
                    std::string circle;
                    for (auto at = std::find(path.begin(), path.end(), next); at != path.end(); ++at) circle += *at + " -> ";
                    found.push_back(circle + next);
                } else if (state[next] == 0) {
                    self(self, next);
                }
            }
        }
        path.pop_back();
        state[name] = 2;
    };
    for (const auto& [name, layer] : rules)
        if (state[name] == 0) visit(visit, name);
    return found;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::cerr << "usage: layer_check <project folder>\n";
        return 2;
    }
    const fs::path project = argv[1];
    Rules rules;
    try {
        rules = ReadRules(project / "docs" / "architecture.md");
    } catch (const std::exception& error) {
        std::cerr << "layer_check: " << error.what() << "\n";
        return 2;
    }

    int faults = 0;
    for (const auto& circle : Circles(rules)) {
        std::cerr << "docs/architecture.md: the layers go round: " << circle << "\n";
        ++faults;
    }
    for (const auto& [name, layer] : rules)
        for (const auto& other : layer.mayInclude)
            if (!rules.count(other)) {
                std::cerr << "docs/architecture.md: " << name << " may include " << other << ", which is no layer\n";
                ++faults;
            }

    std::set<std::string> roots;
    for (const auto& [name, layer] : rules) roots.insert(name.substr(0, name.find('/')));

    const std::regex quoted(R"re(^\s*#\s*include\s*"([^"]+)")re");
    const std::regex qtHeader(R"re(^\s*#\s*include\s*<(Q[A-Za-z]*|Qt[A-Za-z]*/[^>]*)>)re");
    std::size_t checked = 0;
    for (const auto& root : roots) {
        if (!fs::is_directory(project / root)) continue;
        for (const auto& entry : fs::recursive_directory_iterator(project / root)) {
            const auto extension = entry.path().extension();
            if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp")) continue;
            const fs::path relative = fs::relative(entry.path(), project);
            const std::string layer = LayerOf(relative, rules);
            ++checked;
            if (layer.empty()) {
                std::cerr << relative.generic_string() << ": belongs to no layer of docs/architecture.md\n";
                ++faults;
                continue;
            }
            std::ifstream in(entry.path());
            int lineNumber = 0;
            for (std::string line; std::getline(in, line);) {
                ++lineNumber;
                std::smatch match;
                const std::string where = relative.generic_string() + ":" + std::to_string(lineNumber) + ": ";
                if (!rules.at(layer).qt && std::regex_search(line, match, qtHeader)) {
                    std::cerr << where << "includes <" << match[1] << ">, but " << layer << " is free of Qt\n";
                    ++faults;
                }
                if (!std::regex_search(line, match, quoted)) continue;
                const fs::path name = match[1].str();
                // As the compiler looks: beside the file, then from each layer's root.
                std::vector<fs::path> candidates{entry.path().parent_path() / name};
                for (const auto& other : roots) candidates.push_back(project / other / name);
                for (const auto& candidate : candidates) {
                    if (!fs::is_regular_file(candidate)) continue;
                    const fs::path target = fs::relative(fs::weakly_canonical(candidate), fs::weakly_canonical(project));
                    const std::string targetLayer = LayerOf(target, rules);
                    if (!targetLayer.empty() && Climbs(layer, targetLayer, rules)) {
                        std::cerr << where << "includes " << target.generic_string() << ", but " << layer
                                  << " may not include " << targetLayer << "\n";
                        ++faults;
                    }
                    break;
                }
            }
        }
    }
    if (checked == 0) {
        std::cerr << "layer_check: no source file found under " << project << "\n";
        return 2;
    }
    std::cout << "layer_check: " << checked << " files, " << rules.size() << " layers, " << faults << " faults\n";
    return faults == 0 ? 0 : 1;
}
