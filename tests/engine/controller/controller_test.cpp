// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "controller/controller.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "catalogue/builtin_catalogues.h"
#include "lists/userlists.h"
#include "scripted_dialogs.h"
#include "temp_folder.h"

namespace azimora {
namespace {

using azimora::testing::ReadFile;
using azimora::testing::ScriptedDialogs;
using azimora::testing::TempFolder;
using azimora::testing::WriteFile;

const char* NameOf(DisplayField field) {
    constexpr const char* kNames[] = {"SatName", "SatLong", "LocName", "NLat", "WLong", "Azimuth", "Elevation"};
    return kNames[static_cast<int>(field)];
}

// Stands in for the window: records what it is told to show.
class RecordingView final : public PointingView {
public:
    std::vector<std::string> shown;
    int closed = 0;
    std::vector<DisplayValues> printed;

    void DisplayValueChanged(DisplayField field, const std::string& text) override {
        shown.push_back(std::string(NameOf(field)) + "=" + text);
    }
    void CloseWindow() override { ++closed; }
    void PrintReport(const DisplayValues& values) override { printed.push_back(values); }
};

using ResultTexts = std::pair<std::string, std::string>;

class Controller : public ::testing::Test {
protected:
    TempFolder folder;
    std::unique_ptr<Catalogue> satellites = BuiltInSatelliteCatalogue();
    std::unique_ptr<Catalogue> locations = BuiltInLocationCatalogue();
    ScriptedDialogs dialogs;
    RecordingView view;
    PointingController controller{*satellites, *locations, folder.Path(), dialogs};

    void SetUp() override { controller.SetView(&view); }

    // Every call goes through the one place the window uses as well.
    void Run(const std::function<void()>& handler) { RunHandler(dialogs, handler); }
    void ChooseLocation(const char* text) {
        const CatalogueNode* node = locations->FindNode(text);
        ASSERT_NE(node, nullptr) << text;
        Run([&] { controller.tvwLocChange(*node); });
    }
    void ChooseSatellite(const char* text) {
        const CatalogueNode* node = satellites->FindNode(text);
        ASSERT_NE(node, nullptr) << text;
        Run([&] { controller.tvwSatChange(*node); });
    }
    // Types characters at the end of a box, through its key filter.
    void Type(CoordinateBox box, std::u32string_view keys) {
        for (char32_t key : keys) {
            Run([&] {
                controller.edtNLatKeyPress(box, key);
                if (key != 0) controller.SetValue(FieldOf(box), controller.Value(FieldOf(box)) + static_cast<char>(key));
            });
        }
    }
    void SetText(DisplayField field, const std::string& text) { Run([&] { controller.SetValue(field, text); }); }
    std::pair<std::string, std::string> ShownResults() const {
        return {controller.Values().Azimuth, controller.Values().Elevation};
    }
};


TEST_F(Controller, StartsWithNothingCalculated) {
    const DisplayValues& v = controller.Values();
    EXPECT_EQ(v.SatName, "No satellite selected.");
    EXPECT_EQ(v.SatLong, "0.00");
    EXPECT_EQ(v.LocName, "No location selected.");
    EXPECT_EQ(v.NLat, "0.00");
    EXPECT_EQ(v.WLong, "0.00");
    EXPECT_EQ(ShownResults(), ResultTexts("0.00", "0.00"));
    // Re-setting a value to its own text does nothing at all.
    SetText(DisplayField::NLat, "0.00");
    SetText(DisplayField::SatName, "No satellite selected.");
    EXPECT_TRUE(view.shown.empty());
}

TEST_F(Controller, RoadOfOneEvent) {
    ChooseSatellite("Anik E2 - Star Choice (Canada)");
    view.shown.clear();
    ChooseLocation("Calgary");
    // The intermediate calculation of step 1 uses the old longitude "0.00",
    // so it calculates nothing; step 2 does, then "No Calculation", then step 5.
    EXPECT_EQ(view.shown, (std::vector<std::string>{
                              "NLat=51.08",
                              "WLong=114.08",
                              "Azimuth=171.306422331434",
                              "Elevation=31.1920790500568",
                              "LocName=Calgary, ALBERTA",
                              "Azimuth=No Calculation",
                              "Elevation=No Calculation",
                              "Azimuth=171.306422331434",
                              "Elevation=31.1920790500568",
                          }));
    EXPECT_TRUE(dialogs.errors.empty());
    EXPECT_EQ(static_cast<double>(controller.Inputs().SatLongitude), 107.3);
}

TEST_F(Controller, CatalogueChoices) {
    struct Case {
        const char* location;
        const char* nLat;
        const char* wLong;
        const char* locName;
        ResultTexts results;
    };
    ChooseSatellite("Nimiq - Bell ExpressVu (Canada)");
    for (const Case& c : {
             Case{"CANADA", "", "", "No location selected.", {"No Calculation", "No Calculation"}},
             Case{"ALBERTA", "", "", "ALBERTA, CANADA", {"No Calculation", "No Calculation"}},
             Case{"Whitehorse", "60.72", "", "Whitehorse, YUKON", {"No Calculation", "No Calculation"}},
             Case{"BRITISH COLUMBIA", "", "120.42", "BRITISH COLUMBIA, CANADA", {"No Calculation", "No Calculation"}},
             Case{"WASHINGTON D.C.", "38.92", "80.13", "WASHINGTON D.C., UNITED STATES",
                  {"197.00921183944", "43.5574857133195"}},
             Case{"USER DEFINED", "", "", "WASHINGTON D.C., UNITED STATES", {"No Calculation", "No Calculation"}},
             Case{"Honolulu", "21.32", "157.83", "Honolulu, HAWAII", {"98.8236314449017", "13.0317848805398"}},
         }) {
        ChooseLocation(c.location);
        EXPECT_EQ(controller.Values().NLat, c.nLat) << c.location;
        EXPECT_EQ(controller.Values().WLong, c.wLong) << c.location;
        EXPECT_EQ(controller.Values().LocName, c.locName) << c.location;
        EXPECT_EQ(ShownResults(), c.results) << c.location;
    }
    EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(Controller, SatelliteChoices) {
    ChooseSatellite("AfriStar");
    EXPECT_EQ(controller.Values().SatName, "AfriStar");
    EXPECT_EQ(controller.Values().SatLong, "-21");
    EXPECT_EQ(ShownResults(), ResultTexts("No Calculation", "No Calculation"));

    ChooseLocation("Honolulu");
    ChooseSatellite("AfriStar");  // the same node again: the results come back
    EXPECT_EQ(ShownResults(), ResultTexts("3.21207326063051", "Below Horizon!"));
    ChooseSatellite("Echostar I/II - Dish Network (English)");
    EXPECT_EQ(controller.Values().SatLong, "119");
}

TEST_F(Controller, UserDefinedLocationsKeepTheirOwnName) {
    CatalogueNode& home = locations->AddChild(locations->FindNode("USER DEFINED"), "Home");
    home.Data1 = "45.5";
    home.Data2 = "73.6";
    ChooseLocation("Home");
    EXPECT_EQ(controller.Values().LocName, "Home");
}

TEST_F(Controller, KeyFilterOfCoordinateBoxes) {
    ChooseLocation("Calgary");
    SetText(DisplayField::SatLong, "12.5");
    const ResultTexts before = ShownResults();
    Type(CoordinateBox::SatLong, U"-");
    EXPECT_EQ(controller.Values().SatLong, "-12.5");
    EXPECT_NE(ShownResults(), before);
    // A second sign, a second point, letters, Backspace and other controls go nowhere.
    Type(CoordinateBox::SatLong, U"-.a,E \b\x7f\r\x16\u00e9");
    EXPECT_EQ(controller.Values().SatLong, "-12.5");
    Type(CoordinateBox::SatLong, U"7");
    EXPECT_EQ(controller.Values().SatLong, "-12.57");
    // The sign goes in front of whatever the box holds.
    SetText(DisplayField::NLat, "");
    Type(CoordinateBox::NLat, U"5-1.2.");
    EXPECT_EQ(controller.Values().NLat, "-51.2");
    EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(Controller, ZeroIsARealCoordinateButTheInitialTextIsNot) {
    ChooseSatellite("Intelsat 707");
    SetText(DisplayField::WLong, "0.8");
    EXPECT_EQ(ShownResults(), ResultTexts("No Calculation", "No Calculation"));  // latitude still "0.00"
    SetText(DisplayField::NLat, "");
    Type(CoordinateBox::NLat, U"0");
    EXPECT_EQ(ShownResults(), ResultTexts("180", "90"));  // straight overhead, mended division by zero
    EXPECT_EQ(static_cast<double>(controller.Inputs().Latitude), 0.0);
    // Editing into an incomplete state keeps the last result.
    SetText(DisplayField::NLat, "0.00");
    EXPECT_EQ(ShownResults(), ResultTexts("180", "90"));
}

TEST_F(Controller, ConversionErrorsGoToTheErrorBoxAndKeepTheResults) {
    ChooseSatellite("Anik E2 - Star Choice (Canada)");
    ChooseLocation("Calgary");
    const ResultTexts calculated = ShownResults();
    SetText(DisplayField::SatLong, "");
    SetText(DisplayField::NLat, "-");
    SetText(DisplayField::WLong, "1e5000");
    EXPECT_EQ(dialogs.errors, (std::vector<std::string>{"'' is not a valid floating point value.",
                                                        "'-' is not a valid floating point value.",
                                                        "'-' is not a valid floating point value."}));
    EXPECT_EQ(ShownResults(), calculated);
}

TEST_F(Controller, AHandlerStopsWhereItsErrorOccurs) {
    CatalogueNode& bad = locations->AddChild(locations->FindNode("USER DEFINED"), "Bad");
    bad.Data1 = "north";
    bad.Data2 = "75";
    SetText(DisplayField::WLong, "114");
    ChooseLocation("Bad");
    EXPECT_EQ(dialogs.errors, (std::vector<std::string>{"'north' is not a valid floating point value."}));
    // Step 1 stays done; steps 2 to 5 never ran.
    EXPECT_EQ(controller.Values().NLat, "north");
    EXPECT_EQ(controller.Values().WLong, "114");
    EXPECT_EQ(controller.Values().LocName, "No location selected.");
    EXPECT_EQ(ShownResults(), ResultTexts("0.00", "0.00"));
}

TEST_F(Controller, EnormousAnglesRaiseInvalidOperation) {
    ChooseLocation("Calgary");
    const ResultTexts before = ShownResults();
    SetText(DisplayField::SatLong, "1e4932");  // converts, but overflows in radians
    EXPECT_EQ(dialogs.errors, (std::vector<std::string>{"Invalid floating point operation."}));
    EXPECT_EQ(ShownResults(), before);
}

TEST_F(Controller, NameBoxesRefuseTheFieldSeparator) {
    for (const char32_t typed : {U'a', U',', U' ', U'\b', U'\u00e9'}) {
        char32_t key = typed;
        controller.edtSatNameKeyPress(key);
        EXPECT_EQ(key, typed == U',' ? 0 : typed);
    }
}

TEST_F(Controller, SavesOnlyWhenNotAnsweredNo) {
    ChooseSatellite("DBS-1,2,3 - DirecTV");
    ChooseLocation("Calgary");
    dialogs.answers = {ConfirmAnswer::No, ConfirmAnswer::No};
    Run([&] { controller.btnSatSaveClick(); });
    Run([&] { controller.btnLocSaveClick(); });
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "data"));

    dialogs.answers = {ConfirmAnswer::Yes, ConfirmAnswer::Closed};
    Run([&] { controller.btnSatSaveClick(); });
    Run([&] { controller.btnLocSaveClick(); });
    EXPECT_EQ(dialogs.questions,
              std::vector<std::string>(4, "Are you sure you want to save this modified entry to your user list?"));
    EXPECT_TRUE(dialogs.errors.empty());

    // After a restart both entries come back whole.
    auto satellitesAgain = BuiltInSatelliteCatalogue();
    auto locationsAgain = BuiltInLocationCatalogue();
    ScriptedDialogs dialogsAgain;
    PointingController restarted(*satellitesAgain, *locationsAgain, folder.Path(), dialogsAgain);
    RunHandler(dialogsAgain, [&] { restarted.FormShow(); });
    EXPECT_TRUE(dialogsAgain.errors.empty());
    ASSERT_EQ(satellitesAgain->RootCount(), 102u);
    EXPECT_EQ(satellitesAgain->Root(101).Text, "USER: DBS-1;2;3 - DirecTV");
    EXPECT_EQ(satellitesAgain->Root(101).Data1, "101");
    const CatalogueNode& saved = locationsAgain->FindNode("USER DEFINED")->Child(0);
    EXPECT_EQ(saved.Text, "Calgary; ALBERTA");
    EXPECT_EQ(saved.Data1, "51.08");
    EXPECT_EQ(saved.Data2, "114.08");
}

TEST_F(Controller, FailingSaveIsReported) {
    WriteFile(folder.Path() / "data", "in the way");
    Run([&] { controller.btnSatSaveClick(); });
    EXPECT_EQ(dialogs.errors, (std::vector<std::string>{"Invalid filename."}));
}

TEST_F(Controller, FormShowLoadsBothListsPastTheirMalformedLines) {
    WriteFile(UserLocationFile(folder.Path()), "Home,45\r\nWhitehorse, YUKON,60.72,\r\nCabin,50,110\r\n");
    WriteFile(UserSatelliteFile(folder.Path()), "Bird,1\r\n,61.5\r\nLonely\r\nLast,2\r\n");
    Run([&] { controller.FormShow(); });
    // The first fault of each file, once each, in loading order.
    EXPECT_EQ(dialogs.errors,
              (std::vector<std::string>{"List index out of bounds (2)", "List index out of bounds (1)"}));
    EXPECT_EQ(locations->FindNode("USER DEFINED")->ChildCount(), 3u);
    EXPECT_EQ(satellites->RootCount(), 105u);
    EXPECT_EQ(satellites->Root(104).Data1, "2");
}

TEST_F(Controller, FormShowReportsAnUnreadableListAndLoadsTheOther) {
    std::filesystem::create_directories(UserLocationFile(folder.Path()).parent_path());
    ASSERT_EQ(::mkfifo(UserLocationFile(folder.Path()).c_str(), 0600), 0);
    WriteFile(UserSatelliteFile(folder.Path()), "Bird,1\r\n");
    Run([&] { controller.FormShow(); });
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_EQ(dialogs.errors[0].substr(0, 17), "Cannot open file ");
    EXPECT_EQ(satellites->RootCount(), 102u);
}

// A sparse 100 GB list took all memory ("Out of memory") and the other list
// with it: a list over 1 GiB is refused whole, with its own message.
TEST_F(Controller, FormShowRefusesAHugeListAndLoadsTheOther) {
    WriteFile(UserLocationFile(folder.Path()), "Home,45,110\r\n");
    {
        const int fd = ::open(UserSatelliteFile(folder.Path()).c_str(), O_WRONLY | O_CREAT, 0600);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::ftruncate(fd, 100LL << 30), 0);  // 100 GB of nothing
        ::close(fd);
    }
    Run([&] { controller.FormShow(); });
    EXPECT_EQ(dialogs.errors, (std::vector<std::string>{"satdata.dat is larger than 1 GiB and was not loaded."}));
    EXPECT_EQ(locations->FindNode("USER DEFINED")->ChildCount(), 1u);
    EXPECT_EQ(satellites->RootCount(), 101u);
}

TEST_F(Controller, AnEntryThatCannotBeSavedIsRefusedBeforeTheQuestion) {
    ChooseLocation("ALBERTA");  // a province: no coordinates
    Run([&] { controller.btnLocSaveClick(); });
    SetText(DisplayField::SatName, "");
    Run([&] { controller.btnSatSaveClick(); });
    EXPECT_EQ(dialogs.errors, (std::vector<std::string>{"Nothing was saved: the latitude is empty.",
                                                        "Nothing was saved: the satellite name is empty."}));
    EXPECT_TRUE(dialogs.questions.empty());
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "data"));
}

TEST_F(Controller, PrintNeedsACalculation) {
    Run([&] { controller.btnPrintClick(); });
    ChooseSatellite("AfriStar");
    Run([&] { controller.btnPrintClick(); });
    EXPECT_EQ(dialogs.informations,
              std::vector<std::string>(2, "Please calculate a pointing BEFORE printing."));
    EXPECT_TRUE(view.printed.empty());

    ChooseLocation("Honolulu");
    SetText(DisplayField::WLong, "");  // incomplete again: the last result stays and prints
    Run([&] { controller.btnPrintClick(); });
    ASSERT_EQ(view.printed.size(), 1u);
    EXPECT_EQ(view.printed[0].Elevation, "Below Horizon!");
    EXPECT_EQ(view.printed[0].WLong, "");
}

TEST_F(Controller, CloseAsksTheWindow) {
    Run([&] { controller.btnCloseClick(); });
    EXPECT_EQ(view.closed, 1);
}

TEST(ErrorBoxText, AppendsAPeriodAfterCharactersSortingAfterIt) {
    EXPECT_EQ(ErrorBoxText("Disk full"), "Disk full.");
    EXPECT_EQ(ErrorBoxText("List index out of bounds (1)"), "List index out of bounds (1)");
    EXPECT_EQ(ErrorBoxText("Done."), "Done.");
    EXPECT_EQ(ErrorBoxText("1/2"), "1/2.");
    EXPECT_EQ(ErrorBoxText("a-"), "a-");
    EXPECT_EQ(ErrorBoxText("caf\xC3\xA9"), "caf\xC3\xA9.");
    EXPECT_EQ(ErrorBoxText(""), "");
}

TEST(RunHandler, ReportsEveryKindOfFailure) {
    ScriptedDialogs dialogs;
    RunHandler(dialogs, [] { throw std::bad_alloc(); });
    RunHandler(dialogs, [] { throw 42; });
    RunHandler(dialogs, [] {});
    EXPECT_EQ(dialogs.errors, (std::vector<std::string>{"Out of memory.", "Unexpected error."}));
}

}  // namespace
}  // namespace azimora
