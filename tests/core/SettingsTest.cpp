#include <gtest/gtest.h>

#include <map>

#include "shell/Settings.h"

using namespace orvane;

namespace {

class MapStore : public SettingsStore {
public:
    std::map<std::string, std::string> values;
    std::optional<std::string> Read(std::string_view section, std::string_view name) const override {
        auto it = values.find(std::string(section) + "/" + std::string(name));
        if (it == values.end()) return std::nullopt;
        return it->second;
    }
    void Write(std::string_view section, std::string_view name, const std::string& value) override {
        values[std::string(section) + "/" + std::string(name)] = value;
    }
};

TEST(Settings, DefaultsWhenNothingIsStored) {
    MapStore store;
    Options o = ReadOptions(store);
    EXPECT_EQ(o, Options{});
    EXPECT_EQ(o.COMPort, "COM1");
    EXPECT_EQ(o.Port, 14000);
    EXPECT_TRUE(o.CombineLists);
    EXPECT_TRUE(o.ShowDecodedMessage);
    EXPECT_TRUE(o.WordWrap);
    EXPECT_TRUE(o.ShowTime);
    EXPECT_FALSE(o.HexNumbers);
    EXPECT_EQ(o.DecodeOptions(), 0x08);
    WhatsNewSettings w = ReadWhatsNew(store);
    EXPECT_TRUE(w.AutoShow);
    EXPECT_EQ(w.VersionNumber, "New");
}

TEST(Settings, RoundTripKeepsEveryValueButShowMessage) {
    MapStore store;
    Options o;
    o.COMPort = "/dev/ttyUSB0";
    o.IPAddress = "127.0.0.1";
    o.Port = 41000;
    o.ConnectionType = 1;
    o.UseTZLHandshake = true;
    o.CombineLists = false;
    o.ShowDecodedMessage = false;
    o.ShowASCII = true;
    o.ShowTab[TabHVAC] = false;
    o.ShowTab[TabCustom] = false;
    o.ShowDestination = o.ShowNetwork = o.ShowApplication = true;
    o.ShowMessage = false;
    o.HexNumbers = true;
    o.WordWrap = false;
    o.ShowTime = false;
    o.AckChar = true;
    o.ShowDate = true;
    o.TimeDP = 2;
    o.ShowApplicationWarning = false;
    o.MMIAutoUpdate = true;
    WriteOptions(store, o);
    EXPECT_EQ(store.values.at("Options/ShowMessage"), "0");
    EXPECT_EQ(store.values.at("Options/ShowHVACTab"), "0");
    EXPECT_EQ(store.values.at("Options/Port"), "41000");

    Options back = ReadOptions(store);
    EXPECT_TRUE(back.ShowMessage) << "every run starts with Show Message on";
    back.ShowMessage = false;
    EXPECT_EQ(back, o);
}

TEST(Settings, UnreadableValuesFallBackToTheirDefaults) {
    MapStore store;
    store.values = {{"Options/Port", "fourteen"},   {"Options/ConnectionType", "7"},
                    {"Options/CombineLists", "x"},  {"Options/TimeDP", "9"},
                    {"Options/ShowTime", ""},       {"Options/HexNumbers", " 2 "},
                    {"Options/WordWrap", "0"},      {"WhatsNew/AutoShow", "yes"},
                    {"Options/IPAddress", std::string(100000, '1')}};
    Options o = ReadOptions(store);
    EXPECT_EQ(o.Port, 14000);
    EXPECT_EQ(o.ConnectionType, 0);
    EXPECT_TRUE(o.CombineLists);
    EXPECT_EQ(o.TimeDP, 0);
    EXPECT_TRUE(o.ShowTime);
    EXPECT_TRUE(o.HexNumbers) << "any number other than 0 reads as true";
    EXPECT_FALSE(o.WordWrap);
    EXPECT_EQ(o.IPAddress, kDefaultIPAddress) << "a value far longer than any address";
    EXPECT_TRUE(ReadWhatsNew(store).AutoShow);
}

struct PlaceCase {
    const char* name;
    SavedGeometry saved;
    int screenW, screenH;
    Placement expected;
};

void PrintTo(const PlaceCase& c, std::ostream* os) { *os << c.name; }

class PlaceWindowCases : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(PlaceWindowCases, KeepsTheWindowOnTheScreen) {
    const auto& c = GetParam();
    Placement p = PlaceWindow(c.saved, c.screenW, c.screenH);
    EXPECT_EQ(p.maximised, c.expected.maximised);
    if (!c.expected.maximised) {
        EXPECT_EQ(p.left, c.expected.left);
        EXPECT_EQ(p.top, c.expected.top);
        EXPECT_EQ(p.width, c.expected.width);
        EXPECT_EQ(p.height, c.expected.height);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Geometry, PlaceWindowCases,
    ::testing::Values(
        PlaceCase{"DefaultsCentre", {}, 1920, 1080, {false, 560, 240, 800, 600}},
        PlaceCase{"SavedFits", {100, 50, 1000, 700}, 1920, 1080, {false, 50, 100, 1000, 700}},
        PlaceCase{"WiderThanTheScreenMaximises", {0, 0, 2000, 700}, 1920, 1080, {true}},
        PlaceCase{"HigherThanTheScreenMaximises", {0, 0, 800, 1200}, 1920, 1080, {true}},
        PlaceCase{"PastTheRightEdgeMovesLeft", {10, 1500, 800, 600}, 1920, 1080, {false, 1120, 10, 800, 600}},
        PlaceCase{"PastTheBottomMovesUp", {900, 10, 800, 600}, 1920, 1080, {false, 10, 480, 800, 600}},
        PlaceCase{"BeyondTheLeftAndTopComesBack", {-300, -5000, 800, 600}, 1920, 1080, {false, 0, 0, 800, 600}},
        PlaceCase{"NoSizeTakesTheDefault", {10, 10, 0, -4}, 1920, 1080, {false, 10, 10, 800, 600}},
        PlaceCase{"SmallScreenDefaultMaximises", {}, 640, 480, {true}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Settings, GeometryRoundTrip) {
    MapStore store;
    WriteGeometry(store, "Main", 11, 22, 333, 444);
    SavedGeometry g = ReadGeometry(store, "Main");
    EXPECT_EQ(g.Top, 11);
    EXPECT_EQ(g.Left, 22);
    EXPECT_EQ(g.Width, 333);
    EXPECT_EQ(g.Height, 444);
    EXPECT_TRUE(store.values.count("Forms/Main/Width"));
}

}  // namespace
