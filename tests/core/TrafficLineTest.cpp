#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "traffic/TrafficLine.h"

using namespace orvane;

namespace {
const TrafficTime kAt{2024, 3, 7, 13, 5, 9, 427};
}

TEST(TrafficLine, TimeStamp) {
    EXPECT_EQ(TimeStampText(kAt, "", 0), "13:05:09");
    EXPECT_EQ(TimeStampText(kAt, "", 1), "13:05:09.4");
    EXPECT_EQ(TimeStampText(kAt, "", 2), "13:05:09.42");
    EXPECT_EQ(TimeStampText({2024, 3, 7, 0, 0, 0, 999}, "", 2), "00:00:00.99");  // cut, not rounded
    EXPECT_EQ(TimeStampText(kAt, "07/03/2024", 0), "07/03/2024 13:05:09");
    EXPECT_EQ(TimeStampText(kAt, "", 3), "13:05:09");
}

TEST(TrafficLine, ListAndLogLines) {
    struct Row {
        TrafficDirection dir;
        std::string text;
        bool combined;
        bool showTime;
        std::string list;
        std::string log;
    };
    using D = TrafficDirection;
    const std::vector<Row> rows = {
        {D::Sent, "\\0538007901<CR>", true, true, "13:05:09.42  Tx : \\0538007901<CR>", "13:05:09.42  Tx : \\0538007901<CR>"},
        {D::Received, "g.", true, true, "13:05:09.42  Rx : g.", "13:05:09.42  Rx : g."},
        {D::Comment, "remark", true, false, "Rx : remark", "Rx : remark"},
        {D::Sent, "\\0538007901<CR>", false, true, "13:05:09.42  \\0538007901<CR>", "13:05:09.42  Tx : \\0538007901<CR>"},
        {D::Received, " = OK", false, false, " = OK", "Rx :  = OK"},
        {D::Comment, "## : lamp check", true, true, "13:05:09.42  ## : lamp check", "13:05:09.42  ## : lamp check"},
    };
    for (const auto& r : rows) {
        TrafficLineOptions o;
        o.combined = r.combined;
        o.showTime = r.showTime;
        o.timeDP = 2;
        EXPECT_EQ(ListLineText(r.dir, r.text, kAt, o), r.list) << r.text;
        EXPECT_EQ(LogLineText(r.dir, r.text, kAt, o), r.log) << r.text;
    }
}

TEST(TrafficLine, LogFileName) {
    EXPECT_EQ(LogFileName({2024, 3, 7, 14, 5, 12, 0}), "2024_03_07_140512_log.txt");
}
