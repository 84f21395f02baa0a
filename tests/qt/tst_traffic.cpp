// The traffic lists: line format in both layouts, colours, the 200-line cap,
// scroll lock and what reaches the log.
#include <gtest/gtest.h>

#include <QApplication>
#include <ctime>
#include <QClipboard>
#include <QKeyEvent>
#include <QScrollBar>

#include "traffic/TrafficView.h"
#include "ui/ColourList.h"

using namespace orvane;

void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
void PrintTo(const QStringList& l, std::ostream* os) { *os << '{' << l.join("|").toStdString() << '}'; }

namespace {

const QDateTime kAt(QDate(2024, 3, 7), QTime(13, 5, 9, 420));

struct Fixture : ::testing::Test {
    TrafficView view;
    QStringList logged;
    void SetUp() override {
        view.SetClock([] { return kAt; });
        view.SetLogSink([this](const QString& l) { logged << l; });
        view.SetLogging(true);
    }
};

struct FormatCase {
    const char* name;
    bool combined, showTime;
    int timeDP;
    QStringList tx, rx, log;
};

class LineFormat : public Fixture, public ::testing::WithParamInterface<FormatCase> {};

TEST_P(LineFormat, ListsAndLogGetTheirLines) {
    const auto& c = GetParam();
    view.SetCombined(c.combined);
    view.SetShowTime(c.showTime);
    view.SetTimeDP(c.timeDP);
    view.DisplaySerialString(DirSent, "\\0538007905<CR>");
    view.DisplaySerialString(DirReceived, "g.");
    view.DisplaySerialString(DirComment, "## : lamp check");
    EXPECT_EQ(view.TransmitLines(), c.tx);
    EXPECT_EQ(view.ReceiveLines(), c.rx);
    EXPECT_EQ(logged, c.log);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, LineFormat,
    ::testing::Values(
        FormatCase{"CombinedHundredths", true, true, 2,
                   {"13:05:09.42  Tx : \\0538007905<CR>", "13:05:09.42  Rx : g.", "13:05:09.42  ## : lamp check"},
                   {},
                   {"13:05:09.42  Tx : \\0538007905<CR>", "13:05:09.42  Rx : g.", "13:05:09.42  ## : lamp check"}},
        FormatCase{"SeparateTenths", false, true, 1,
                   {"13:05:09.4  \\0538007905<CR>"},
                   {"13:05:09.4  g.", "13:05:09.4  ## : lamp check"},
                   {"13:05:09.4  Tx : \\0538007905<CR>", "13:05:09.4  Rx : g.", "13:05:09.4  ## : lamp check"}},
        FormatCase{"SeparateWholeSeconds", false, true, 0,
                   {"13:05:09  \\0538007905<CR>"},
                   {"13:05:09  g.", "13:05:09  ## : lamp check"},
                   {"13:05:09  Tx : \\0538007905<CR>", "13:05:09  Rx : g.", "13:05:09  ## : lamp check"}},
        FormatCase{"CombinedWithoutTime", true, false, 2,
                   {"Tx : \\0538007905<CR>", "Rx : g.", "## : lamp check"},
                   {},
                   {"Tx : \\0538007905<CR>", "Rx : g.", "## : lamp check"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Fixture, TheDateLeadsTheTimeWhenAskedFor) {
    view.SetShowDate(true);
    view.DisplaySerialString(DirSent, "x");
    const QString date = QLocale::system().toString(kAt.date(), QLocale::ShortFormat);
    EXPECT_EQ(view.TransmitLines().value(0), date + " 13:05:09  Tx : x");
}

// Without a clock of its own the view stamps lines with the local time of the
// zone in force (a half-hour zone shows a stamp taken as UTC at once).
TEST(TrafficClock, StampsAreLocalTime) {
    const QByteArray saved = qgetenv("TZ");
    qputenv("TZ", "ACST-9:30");
    tzset();
    TrafficView view;
    view.SetTimeDP(0);
    const QTime before = QTime::currentTime();
    view.DisplaySerialString(DirSent, "x");
    const QTime after = QTime::currentTime();
    const QString stamp = view.TransmitLines().value(0).left(8);
    const QTime shown = QTime::fromString(stamp, "HH:mm:ss");
    ASSERT_TRUE(shown.isValid()) << stamp.toStdString();
    EXPECT_GE(shown, QTime(before.hour(), before.minute(), before.second()));
    EXPECT_LE(shown, after);
    if (saved.isNull()) qunsetenv("TZ");
    else qputenv("TZ", saved);
    tzset();
}

TEST_F(Fixture, NothingIsShownOrLoggedWhileTheDisplayIsOff) {
    view.SetDisplayEnabled(false);
    view.DisplaySerialString(DirSent, "x");
    EXPECT_TRUE(view.TransmitLines().isEmpty());
    EXPECT_TRUE(logged.isEmpty());
}

// The colour of every character of a line, as one letter each: k black,
// b blue, r red.
QString ColourLetters(const QString& line) {
    QString out;
    for (const ColourRun& run : ColourRuns(line)) {
        const QChar letter = run.colour == QColor(Qt::blue) ? u'b' : run.colour == QColor(Qt::red) ? u'r' : u'k';
        out += QString(run.text.size(), letter);
    }
    return out;
}

TEST(ColourListTest, ControlCodesBlueSentencesAndRenderingsRed) {
    struct Row {
        QString text, colours;
    } rows[] = {
        {"41<CR>", "kkbbbk"},
        {" = GA 5 On", "krrrrrrrrr"},
        {"414243<CR>  \"ABC\"", "kkkkkkbbbkkkrrrrr"},
        {"a<5>=b>c", "kbbkrrkk"},
    };
    for (const auto& r : rows) EXPECT_EQ(ColourLetters(r.text), r.colours) << r.text.toStdString();
}

// The list keeps following new lines at the end, and stays on the lines the
// user scrolled back to while new ones arrive and old ones go.
TEST(ColourListTest, FollowsTheEndButNotAUserWhoScrolledBack) {
    ColourList list(nullptr, 200);
    list.resize(400, 200);
    list.show();
    QStringList batch;
    for (int i = 0; i < 150; ++i) batch << QString("line %1").arg(i);
    list.AppendLines(batch);
    EXPECT_TRUE(list.AtEnd());
    EXPECT_GT(list.TopLine(), 100);
    list.verticalScrollBar()->setValue(80);  // showing "line 80"
    batch.clear();
    for (int i = 150; i < 250; ++i) batch << QString("line %1").arg(i);
    list.AppendLines(batch);  // 50 old lines go
    EXPECT_FALSE(list.AtEnd());
    EXPECT_EQ(list.Lines().value(list.TopLine()), "line 80") << "the view stays on its line";
    list.verticalScrollBar()->setValue(list.verticalScrollBar()->maximum());
    list.AppendLines({"line 250"});
    EXPECT_TRUE(list.AtEnd());
    EXPECT_EQ(list.LineCount(), 200);
    EXPECT_EQ(list.Lines().last(), "line 250");
}

TEST(ColourListTest, WholeLinesAreSelectedAndCopied) {
    ColourList list;
    list.resize(400, 300);
    list.show();
    list.AppendLines({"a", "b", "c"});
    list.SelectAll();
    EXPECT_EQ(list.SelectedLines(), (QStringList{"a", "b", "c"}));
    QKeyEvent copy(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
    QApplication::sendEvent(&list, &copy);
    EXPECT_EQ(QApplication::clipboard()->text(), "a\nb\nc");
}

TEST_F(Fixture, The201stLineRemovesTheFirst) {
    view.SetShowTime(false);
    for (int i = 1; i <= 201; ++i) view.DisplaySerialString(DirSent, QString::number(i));
    const QStringList lines = view.TransmitLines();
    ASSERT_EQ(lines.size(), 200);
    EXPECT_EQ(lines.first(), "Tx : 2");
    EXPECT_EQ(lines.last(), "Tx : 201");
    // Appended in bursts or one by one, the list ends the same.
    view.DisplaySerialString(DirSent, "202");
    view.Flush();
    view.DisplaySerialString(DirSent, "203");
    EXPECT_EQ(view.TransmitLines().first(), "Tx : 4");
}

TEST_F(Fixture, ScrollLockHoldsAtMost200LinesPerSideAndReleasesThemInOrder) {
    view.SetShowTime(false);
    view.SetCombined(false);
    view.DisplaySerialString(DirReceived, "before");
    view.SetScrollLock(true);
    for (int i = 1; i <= 250; ++i) view.DisplaySerialString(DirReceived, QString::number(i));
    view.DisplaySerialString(DirSent, "sent");
    EXPECT_EQ(view.HeldReceiveCount(), 200);
    EXPECT_EQ(view.HeldTransmitCount(), 1);
    EXPECT_EQ(view.ReceiveLines(), QStringList{"before"});
    EXPECT_EQ(logged.size(), 252) << "held lines are logged when they arrive";
    view.ClearLists();  // clearing leaves the held lines alone
    EXPECT_EQ(view.HeldReceiveCount(), 200);

    view.SetScrollLock(false);
    const QStringList rx = view.ReceiveLines();
    ASSERT_EQ(rx.size(), 200);
    EXPECT_EQ(rx.first(), "51");
    EXPECT_EQ(rx.last(), "250");
    EXPECT_EQ(view.TransmitLines(), QStringList{"sent"});
    EXPECT_EQ(view.HeldReceiveCount(), 0);
}

TEST_F(Fixture, ChangingTheLayoutEmptiesTheListsAndRenamesTheHeader) {
    view.DisplaySerialString(DirSent, "x");
    EXPECT_EQ(view.TransmitHeader()->text(), "Transmit and Receive Data");
    view.SetCombined(false);
    EXPECT_TRUE(view.TransmitLines().isEmpty());
    EXPECT_EQ(view.TransmitHeader()->text(), "Transmit Data");
    EXPECT_TRUE(view.ReceivePanel()->isVisibleTo(&view));
    view.SetCombined(true);
    EXPECT_FALSE(view.ReceivePanel()->isVisibleTo(&view));
}

TEST_F(Fixture, WordWrapDecidesTheScrollBars) {
    view.SetWordWrap(false);
    EXPECT_FALSE(view.TransmitMemo()->WordWrap());
    EXPECT_EQ(view.TransmitMemo()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    view.SetWordWrap(true);
    EXPECT_TRUE(view.ReceiveMemo()->WordWrap());
    EXPECT_EQ(view.ReceiveMemo()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
