// The receive path of the link: which consumer gets which line, in which
// order, whatever the transport (bytes are handed in directly).
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <string>
#include <vector>

#include "decode/Decoder.h"
#include "interface/InterfaceState.h"
#include "link/Link.h"

using namespace orvane;

namespace {

class ReceivePath : public ::testing::Test {
protected:
    void SetUp() override {
        state.InterfaceOptions1 = 0x51;  // smart mode with IDMON, as after connecting
        state.PciUnitAddress = 0xFE;
        LineConsumers c;
        c.liveFilter = [this](const std::string& m, bool sent) {
            log.push_back("filter " + m + (sent ? " sent" : ""));
            return pass;
        };
        c.display = [this](TrafficDirection d, const QString& t) {
            log.push_back(std::string(DirectionPrefix(d)) + t.toStdString());
        };
        c.errorHistoryTest = [this](const std::string&) { return errors; };
        c.errorHistory = [this](const std::string& p) { log.push_back("error " + p); };
        c.analyser = [this](const std::string& m) { log.push_back("analyser " + m); };
        c.mmi = [this](const std::string& m) { log.push_back("mmi " + m); };
        c.observer = [this](const ReceivedLine& l) { log.push_back("line " + l.buffer); };
        link.SetConsumers(c);
    }
    void Feed(const std::string& bytes) { link.ProcessReceivedText(QByteArray::fromStdString(bytes)); }
    std::string Sentence(const std::string& message, int options) { return decoder.DecodeMessage(message, options); }

    InterfaceState state;
    Decoder decoder{state};
    Link link{state, decoder, nullptr};
    std::vector<std::string> log;
    bool pass = true;
    bool errors = false;
};

}  // namespace

TEST_F(ReceivePath, ConsumersInOrder) {
    const std::string msg = "05123800790533";
    const std::string sentence = Sentence(msg, DecodeShowData);
    ASSERT_FALSE(sentence.empty());
    Feed(msg + "\r\n");
    const std::vector<std::string> expected = {
        "filter " + msg,     "Rx : " + msg + "<CR>", "Rx :  = " + sentence, "mmi " + msg, "line " + msg + "<CR>",
        "filter ",           "mmi ",                 "line <LF>",  // the bare line end is not shown, still offered
    };
    EXPECT_EQ(log, expected);
}

TEST_F(ReceivePath, FilteredLinesStillReachTheCollectors) {
    pass = false;
    Feed("0538007901FF\r");
    EXPECT_EQ(log, (std::vector<std::string>{"filter 0538007901FF", "mmi 0538007901FF", "line 0538007901FF<CR>"}));
}

TEST_F(ReceivePath, AllMonitorGoesToTheAnalyserOnly) {
    state.AllMonitorActive = true;
    Feed("0538007901FF35\r");
    EXPECT_EQ(log, (std::vector<std::string>{"filter 0538007901FF35", "analyser 0538007901FF35",
                                             "mmi 0538007901FF35", "line 0538007901FF35<CR>"}));
}

TEST_F(ReceivePath, ErrorHistoryGetsEveryPhrase) {
    errors = true;
    link.SetShowDecodedMessage(false);
    // Two lighting commands: two phrases.
    const std::string msg = "0512380079017A02" "BB";
    const std::string phrases = Sentence(msg, DecodeShowData);
    const auto semi = phrases.find("; ");
    ASSERT_NE(semi, std::string::npos) << phrases;
    Feed(msg + "\r");
    const std::vector<std::string> expected = {"filter " + msg, "Rx : " + msg + "<CR>",
                                               "error " + phrases.substr(0, semi), "error " + phrases.substr(semi + 2),
                                               "mmi " + msg, "line " + msg + "<CR>"};
    EXPECT_EQ(log, expected);
}

TEST_F(ReceivePath, ShowAsciiAndConfirmations) {
    link.SetShowAscii(true);
    link.SetShowDecodedMessage(false);
    Feed("414243\rg.");
    EXPECT_EQ(log, (std::vector<std::string>{"filter 414243", "Rx : 414243<CR>  \"ABC\"", "mmi 414243",
                                             "line 414243<CR>  \"ABC\"", "filter g.", "Rx : g.", "mmi g.",
                                             "line g."}));
    EXPECT_TRUE(link.SendConfirmed());
    EXPECT_TRUE(link.InterfaceFound());
}

// A consumer that runs an event loop may see more bytes arrive; lines keep
// their order.
TEST_F(ReceivePath, BytesArrivingInsideAConsumerKeepTheirOrder) {
    bool nested = false;
    LineConsumers& c = link.Consumers();
    c.liveFilter = {};
    c.display = {};
    c.mmi = {};
    c.observer = [&](const ReceivedLine& l) {
        log.push_back(l.buffer);
        if (!nested) {
            nested = true;
            Feed("C\rD\r");
        }
    };
    Feed("A\rB\r");
    EXPECT_EQ(log, (std::vector<std::string>{"A<CR>", "B<CR>", "C<CR>", "D<CR>"}));
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
