// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
// The window's logic driven by an arbitrary sequence of events: catalogue
// choices, typed keys, edited texts, saves with scripted answers, printing
// and the show handler. Every event runs as the window runs it, through
// RunHandler; nothing may escape, the window always shows the controller's
// values, and a result text is always one the window may show.
#include <cstddef>
#include <cstdint>
#include <string>

#include "catalogue/builtin_catalogues.h"
#include "controller/controller.h"
#include "fuzz_support.h"
#include "geometry/pointing.h"
#include "lists/userlists.h"
#include "scripted_dialogs.h"
#include "text/number_text.h"

using namespace azimora;
using namespace azimora::fuzzing;

namespace {

// Stands in for the window: keeps what it was told to show.
class MirrorView final : public PointingView {
public:
    DisplayValues shown;
    void DisplayValueChanged(DisplayField field, const std::string& text) override { shown[field] = text; }
    void CloseWindow() override {}
    void PrintReport(const DisplayValues& values) override {
        Expect(values.Azimuth != kNoCalculationText && values.Azimuth != kNotEnteredText, "prints only a result");
    }
};

const CatalogueNode* NthNode(const Catalogue& catalogue, std::size_t n) {
    // Pre-order, as the trees list them when fully expanded.
    const CatalogueNode* found = nullptr;
    std::size_t seen = 0;
    const auto visit = [&](const auto& self, const CatalogueNode* parent) -> void {
        for (std::size_t i = 0; i < catalogue.ChildCount(parent) && found == nullptr; ++i) {
            const CatalogueNode& node = catalogue.Child(parent, i);
            if (seen++ == n) found = &node;
            self(self, &node);
        }
    };
    visit(visit, nullptr);
    return found;
}

// Azimuths lie in (0, 360]; elevations shown as numbers in (1, 90].
bool IsResultText(const std::string& text, bool elevation) {
    if (text == kNotEnteredText || text == kNoCalculationText) return true;
    if (elevation && text == kBelowHorizonText) return true;
    const auto value = ParseNumber(text);
    if (!value) return false;
    return elevation ? *value > 1 && *value <= 90 : *value > 0 && *value <= 360;
}

class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    [[nodiscard]] bool done() const { return pos_ >= size_; }
    std::uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    std::string text() {
        const std::size_t length = byte() % 24;
        std::string out;
        for (std::size_t i = 0; i < length && !done(); ++i) out += static_cast<char>(byte());
        return out;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ClearScratchFolder();
    auto satellites = BuiltInSatelliteCatalogue();
    auto locations = BuiltInLocationCatalogue();
    azimora::testing::ScriptedDialogs dialogs;
    MirrorView view;
    PointingController controller(*satellites, *locations, ScratchFolder(), dialogs);
    controller.SetView(&view);
    static constexpr char32_t kKeys[] = {U'0', U'1', U'5', U'9', U'.', U'-', U',', U'a', 8, 22, U'e', U' '};

    Reader in(data, size);
    for (int events = 0; !in.done() && events < 64; ++events) {
        const std::uint8_t op = in.byte();
        switch (op % 9) {
            case 0:
                if (const CatalogueNode* node = NthNode(*satellites, in.byte())) {
                    RunHandler(dialogs, [&] { controller.tvwSatChange(*node); });
                }
                break;
            case 1:
                if (const CatalogueNode* node = NthNode(*locations, in.byte() * 2u + in.byte() % 2)) {
                    RunHandler(dialogs, [&] { controller.tvwLocChange(*node); });
                }
                break;
            case 2: {
                const auto box = static_cast<CoordinateBox>(in.byte() % 3);
                char32_t key = kKeys[in.byte() % std::size(kKeys)];
                const char32_t typed = key;
                RunHandler(dialogs, [&] { controller.edtNLatKeyPress(box, key); });
                // A key the filter lets through lands at the end of the box.
                if (key != 0) {
                    const DisplayField field = FieldOf(box);
                    std::string next = controller.Value(field);
                    next += static_cast<char>(typed);
                    RunHandler(dialogs, [&] { controller.SetValue(field, next); });
                }
                break;
            }
            case 3: {
                char32_t key = kKeys[in.byte() % std::size(kKeys)];
                RunHandler(dialogs, [&] { controller.edtSatNameKeyPress(key); });
                Expect(key != U',', "no comma reaches a name box");
                break;
            }
            case 4: {
                const auto field = static_cast<DisplayField>(in.byte() % 5);
                const std::string text = in.text();
                RunHandler(dialogs, [&] { controller.SetValue(field, text); });
                break;
            }
            case 5:
            case 6:
                dialogs.answers.push_back(static_cast<ConfirmAnswer>(in.byte() % 3));
                RunHandler(dialogs, [&] { op % 9 == 5 ? controller.btnSatSaveClick() : controller.btnLocSaveClick(); });
                break;
            case 7: RunHandler(dialogs, [&] { controller.btnPrintClick(); }); break;
            default: RunHandler(dialogs, [&] { controller.FormShow(); }); break;
        }
        for (int f = 0; f < 7; ++f) {
            const auto field = static_cast<DisplayField>(f);
            if (view.shown[field] != controller.Value(field)) Fail("the window shows the controller's values");
        }
        Expect(IsResultText(controller.Value(DisplayField::Azimuth), false), "an azimuth text the window may show");
        Expect(IsResultText(controller.Value(DisplayField::Elevation), true), "an elevation text the window may show");
    }
    for (const std::string& error : dialogs.errors) Expect(!error.empty(), "an error box has a text");
    return 0;
}
