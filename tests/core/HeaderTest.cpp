#include <gtest/gtest.h>

#include "generators/Headers.h"

using namespace orvane;

namespace {
RemoteNetwork Local(std::string path = {}) { return {false, std::move(path)}; }
RemoteNetwork Remote(std::string path) { return {true, std::move(path)}; }
}  // namespace

TEST(Header, SalAndCalHeadersLocalAndOverEveryPathLength) {
    struct Row {
        RemoteNetwork remote;
        int target;
        const char* sal;
        const char* cal;
    };
    const Row rows[] = {
        // Unchecked box: the path edit is ignored, whatever it holds.
        {Local(), 0x38, "\\053800", "\\063800"},
        {Local("01G2"), 0xCA, "\\05CA00", "\\06CA00"},
        {Local(), 0x0A, "\\050A00", "\\060A00"},
        {Remote("01"), 0x38, "\\03010938", "\\06010938"},
        {Remote("0102"), 0x38, "\\0301120238", "\\0601120238"},
        {Remote("010203"), 0x38, "\\03011B020338", "\\06011B020338"},
        {Remote("01020304"), 0x38, "\\030124020304" "38", "\\060124020304" "38"},
        {Remote("0102030405"), 0x38, "\\03012D02030405" "38", "\\06012D02030405" "38"},
        // Six bytes: the first before the route byte 36, the other five after it.
        {Remote("A1B2C3D4E5F6"), 0x38, "\\03A136B2C3D4E5F6" "38", "\\06A136B2C3D4E5F6" "38"},
        // Lower-case digits are accepted and written in upper case.
        {Remote("0a0b"), 0xFF, "\\030A120BFF", "\\060A120BFF"},
        // Out-of-byte targets are held to 00..FF.
        {Local(), 300, "\\05FF00", "\\06FF00"},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(SALHeader(r.remote, r.target), r.sal) << r.remote.path;
        EXPECT_EQ(CALHeaderForUnit(r.remote, r.target), r.cal) << r.remote.path;
    }
}

TEST(Header, InvalidPathsBuildNoHeader) {
    // Empty, odd length, non-hex, and seven bytes (no route byte exists for it).
    for (const char* path : {"", "012", "01G2", "0", "01 2", "01020304050607"}) {
        const RemoteNetwork remote = Remote(path);
        EXPECT_FALSE(CheckRemoteNetworkPath(remote)) << path;
        EXPECT_EQ(SALHeader(remote, 0x38), "") << path;
        EXPECT_EQ(CALHeaderForUnit(remote, 0x0A), "") << path;
        EXPECT_EQ(CALHeader(remote, true, 0x0A, 0x400), "") << path;
    }
    EXPECT_TRUE(CheckRemoteNetworkPath(Local("01G2")));
}

TEST(Header, RouteBytesAndPathLength) {
    const char* route[] = {"", "09", "12", "1B", "24", "2D", "36", ""};
    for (int n = 0; n <= 7; ++n) EXPECT_EQ(RouteByteText(n), route[n]) << n;

    struct Row { RemoteNetwork remote; int length; };
    const Row rows[] = {
        {Remote("0102"), 4}, {Remote("012"), 0}, {Local("0102"), 0}, {Remote(""), 0}, {Remote("01G2"), 4},
    };
    for (const auto& r : rows) EXPECT_EQ(GetNetworkPathLength(r.remote), r.length) << r.remote.path;
}

TEST(Header, CalTabHeaderChoosesUnitOrLocalInterface) {
    EXPECT_EQ(CALHeader(Local(), true, 0x0A, 0), "\\060A00");
    EXPECT_EQ(CALHeader(Remote("01"), true, 0x0A, 0), "\\0601090A");
    EXPECT_EQ(CALHeader(Local(), false, 0x0A, 0x400), "@");
    EXPECT_EQ(CALHeader(Local(), false, 0x0A, 0x3FF), "~~~");
    EXPECT_EQ(CALHeader(Local(), false, 0x0A, 0), "~~~");
}
