// The small windows of the shell: the print page estimate and a printed PDF,
// the Program Options rules, the help set.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMap>
#include <QPrinter>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTextBrowser>

#include "shell/HelpWindow.h"
#include "shell/OptionsForm.h"
#include "shell/PrintForm.h"
#include "traffic/TrafficView.h"

using namespace orvane;

void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
void PrintTo(const QStringList& l, std::ostream* os) { *os << '{' << l.join("|").toStdString() << '}'; }

namespace {

// The text of a PDF as Qt writes it: one string per text object, glyph codes
// mapped back through each font's ToUnicode table.
struct PdfText {
    QStringList runs;
    int pages = 0;
};

QByteArray Inflate(const QByteArray& data) {
    QByteArray sized(4, '\0');
    const quint32 hint = 1u << 22;
    sized[0] = char(hint >> 24);
    sized[1] = char(hint >> 16);
    sized[2] = char(hint >> 8);
    sized[3] = char(hint);
    return qUncompress(sized + data);
}

PdfText ReadPdfText(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray pdf = f.readAll();
    QMap<int, QByteArray> objects;
    static const QRegularExpression objRe(R"((\d+) 0 obj(.*?)endobj)", QRegularExpression::DotMatchesEverythingOption);
    for (auto it = objRe.globalMatch(QString::fromLatin1(pdf)); it.hasNext();) {
        auto m = it.next();
        objects[m.captured(1).toInt()] = m.captured(2).toLatin1();
    }
    auto streamOf = [](const QByteArray& body) {
        const qsizetype s = body.indexOf("stream");
        const qsizetype e = body.lastIndexOf("endstream");
        if (s < 0 || e < 0) return QByteArray();
        QByteArray data = body.mid(s + 6, e - s - 6);
        while (data.startsWith('\r') || data.startsWith('\n')) data.remove(0, 1);
        return body.left(s).contains("/FlateDecode") ? Inflate(data) : data;
    };
    // Font object number -> glyph code -> text.
    QMap<int, QMap<int, QString>> unicode;
    static const QRegularExpression toUni(R"(/ToUnicode (\d+) 0 R)");
    static const QRegularExpression pair(R"(<([0-9A-Fa-f]+)>\s*<([0-9A-Fa-f]+)>)");
    for (auto o = objects.begin(); o != objects.end(); ++o) {
        auto m = toUni.match(QString::fromLatin1(o.value()));
        if (!m.hasMatch()) continue;
        const QString cmap = QString::fromLatin1(streamOf(objects.value(m.captured(1).toInt())));
        // Single codes ("<code> <text>") and ranges, either consecutive
        // ("<lo> <hi> <first>") or listed ("<lo> <hi> [<t1> <t2> ...]").
        static const QRegularExpression range(R"(<([0-9A-Fa-f]+)>\s*<([0-9A-Fa-f]+)>\s*(\[[^\]]*\]|<[0-9A-Fa-f]+>))");
        static const QRegularExpression hexItem(R"(<([0-9A-Fa-f]+)>)");
        auto& map = unicode[o.key()];
        for (auto section : {QStringLiteral("bfrange"), QStringLiteral("bfchar")}) {
            const qsizetype from = cmap.indexOf("begin" + section);
            const qsizetype to = cmap.indexOf("end" + section);
            if (from < 0 || to < 0) continue;
            const QString body = cmap.mid(from, to - from);
            if (section == "bfchar") {
                for (auto p = pair.globalMatch(body); p.hasNext();) {
                    auto pm = p.next();
                    map[pm.captured(1).toInt(nullptr, 16)] = QChar(pm.captured(2).toInt(nullptr, 16));
                }
                continue;
            }
            for (auto r = range.globalMatch(body); r.hasNext();) {
                auto rm = r.next();
                const int lo = rm.captured(1).toInt(nullptr, 16);
                const int hi = rm.captured(2).toInt(nullptr, 16);
                const QString target = rm.captured(3);
                if (target.startsWith('[')) {
                    int code = lo;
                    for (auto t = hexItem.globalMatch(target); t.hasNext() && code <= hi; ++code)
                        map[code] = QChar(t.next().captured(1).toInt(nullptr, 16));
                } else {
                    const int first = target.mid(1, target.size() - 2).toInt(nullptr, 16);
                    for (int code = lo; code <= hi && code - lo < 65536; ++code) map[code] = QChar(first + code - lo);
                }
            }
        }
    }
    PdfText out;
    static const QRegularExpression fontRes(R"(/(F\d+) (\d+) 0 R)");
    static const QRegularExpression contents(R"(/Contents (\d+) 0 R)");
    for (const QByteArray& body : objects) {
        if (!body.contains("/Type /Page\n")) continue;
        ++out.pages;
        QMap<QString, int> fonts;
        for (auto it = fontRes.globalMatch(QString::fromLatin1(body)); it.hasNext();) {
            auto m = it.next();
            fonts[m.captured(1)] = m.captured(2).toInt();
        }
        if (fonts.isEmpty()) {
            static const QRegularExpression res(R"(/Resources (\d+) 0 R)");
            auto rm = res.match(QString::fromLatin1(body));
            for (auto it = fontRes.globalMatch(QString::fromLatin1(objects.value(rm.captured(1).toInt()))); it.hasNext();) {
                auto m = it.next();
                fonts[m.captured(1)] = m.captured(2).toInt();
            }
        }
        auto cm = contents.match(QString::fromLatin1(body));
        const QString content = QString::fromLatin1(streamOf(objects.value(cm.captured(1).toInt())));
        int font = -1;
        QString run;
        static const QRegularExpression token(R"(/(F\d+) [\d.]+ Tf|<([0-9A-Fa-f]+)> Tj|\bET\b)");
        for (auto it = token.globalMatch(content); it.hasNext();) {
            auto m = it.next();
            if (!m.captured(1).isEmpty()) {
                font = fonts.value(m.captured(1), -1);
            } else if (!m.captured(2).isEmpty()) {
                const QString hex = m.captured(2);
                for (int i = 0; i + 4 <= hex.size(); i += 4) run += unicode[font].value(hex.mid(i, 4).toInt(nullptr, 16), "?");
            } else {
                // The blank glyph's table entry reads as a tab.
                out.runs << run.replace(u'\t', u' ');
                run.clear();
            }
        }
    }
    return out;
}

TEST(PrintForm, PageEstimate) {
    const std::pair<int, const char*> rows[] = {
        {0, "1 Page"}, {49, "1 Page"}, {50, "2 Pages"}, {99, "2 Pages"}, {100, "3 Pages"}, {149, "3 Pages"}};
    for (auto [n, text] : rows) EXPECT_EQ(PageEstimateText(n), text) << n;
}

struct PrintFixture : ::testing::Test {
    TrafficView view;
    QTemporaryDir dir;
    QPrinter printer{QPrinter::HighResolution};
    void SetUp() override {
        view.SetShowTime(false);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("lists.pdf"));
    }
};

TEST_F(PrintFixture, TheEstimateFollowsTheBoxesWithSeparateLists) {
    view.SetCombined(false);
    for (int i = 0; i < 30; ++i) view.DisplaySerialString(DirSent, "tx");
    for (int i = 0; i < 30; ++i) view.DisplaySerialString(DirReceived, "rx");
    PrintForm form(view, false, QString());
    EXPECT_TRUE(form.TxCheckBox()->isChecked());
    EXPECT_TRUE(form.RxCheckBox()->isEnabled());
    EXPECT_EQ(form.PagesText(), "2 Pages");
    form.RxCheckBox()->setChecked(false);
    EXPECT_EQ(form.PagesText(), "1 Page");
}

TEST_F(PrintFixture, CombinedListsPrintOnceUnderOneHeading) {
    view.DisplaySerialString(DirSent, "\\0538007905<CR>");
    view.DisplaySerialString(DirReceived, "g.");
    PrintForm form(view, true, QString());
    EXPECT_TRUE(form.TxCheckBox()->isChecked());
    EXPECT_TRUE(form.RxCheckBox()->isChecked());
    EXPECT_FALSE(form.TxCheckBox()->isEnabled());
    EXPECT_FALSE(form.RxCheckBox()->isEnabled());
    form.SetPrinter(&printer);
    ASSERT_TRUE(form.Print());
    EXPECT_EQ(printer.docName(), "Orvane Pellix");
    const PdfText pdf = ReadPdfText(printer.outputFileName());
    EXPECT_EQ(pdf.pages, 1);
    EXPECT_TRUE(pdf.runs.contains("Transmitted and Received Strings")) << pdf.runs.join("|").toStdString();
    EXPECT_TRUE(pdf.runs.contains("Tx : \\0538007905<CR>"));
    EXPECT_TRUE(pdf.runs.contains("Rx : g."));
    EXPECT_FALSE(pdf.runs.contains("Received Strings"));
}

TEST_F(PrintFixture, SeparateListsPrintBothHeadingsAndBreakPagesWithTheHeaderAgain) {
    view.SetCombined(false);
    for (int i = 1; i <= 120; ++i) view.DisplaySerialString(DirSent, QString("sent %1").arg(i));
    view.DisplaySerialString(DirReceived, "received 1");
    PrintJob job;
    job.transmit = view.TransmitLines();
    job.receive = view.ReceiveLines();
    job.combined = false;
    job.projectFileName = "C:\\Jobs\\SITE.PXD";
    ASSERT_TRUE(PrintTraffic(printer, job));
    const PdfText pdf = ReadPdfText(printer.outputFileName());
    EXPECT_GT(pdf.pages, 1);
    EXPECT_EQ(pdf.runs.count("C:\\Jobs\\SITE.PXD"), pdf.pages) << "the page header is on every page";
    EXPECT_TRUE(pdf.runs.contains("Transmitted Strings"));
    EXPECT_TRUE(pdf.runs.contains("Received Strings"));
    EXPECT_TRUE(pdf.runs.contains("sent 120"));
    EXPECT_TRUE(pdf.runs.contains("received 1"));
    EXPECT_LT(pdf.runs.indexOf("sent 120"), pdf.runs.indexOf("Received Strings"));
}

TEST(OptionsForm, EnablingRulesAndOk) {
    OptionsForm form;
    Options o;
    o.ConnectionType = 1;
    o.IPAddress = "10.0.0.5";
    o.Port = 14000;
    form.Load(o, false, {"/dev/ttyS0", "/dev/ttyUSB0"});
    auto* tzl = form.findChild<QWidget*>("TZLHandshakeCheckBox");
    auto* serial = form.findChild<QRadioButton*>("SerialRadioButton");
    auto* tcpip = form.findChild<QRadioButton*>("TCPIPRadioButton");
    auto* ports = form.findChild<QComboBox*>("ComPortComboBox");
    auto* address = form.findChild<QLineEdit*>("IPAddressEdit");
    auto* port = form.findChild<QSpinBox*>("PortSpinEdit");
    ASSERT_TRUE(tzl && serial && tcpip && ports && address && port);
    EXPECT_FALSE(tzl->isEnabled()) << "TCP/IP chosen";
    EXPECT_EQ(ports->currentText(), "COM1") << "the configured port is selected even when absent";

    ports->setCurrentIndex(1);
    emit ports->activated(1);
    EXPECT_TRUE(serial->isChecked());
    EXPECT_TRUE(tzl->isEnabled());
    address->setText("10.0.0.9");
    emit address->textEdited("10.0.0.9");
    EXPECT_TRUE(tcpip->isChecked());
    EXPECT_FALSE(tzl->isEnabled());
    port->setValue(15000);

    Options chosen = form.Result(o, false);
    EXPECT_EQ(chosen.ConnectionType, 1);
    EXPECT_EQ(chosen.IPAddress, "10.0.0.9");
    EXPECT_EQ(chosen.Port, 15000);
    EXPECT_EQ(chosen.COMPort, "/dev/ttyUSB0");

    // While the link is open the connection stays as it was.
    form.Load(o, true, {"/dev/ttyS0"});
    EXPECT_FALSE(ports->isEnabled());
    EXPECT_FALSE(address->isEnabled());
    EXPECT_FALSE(port->isEnabled());
    EXPECT_FALSE(serial->isEnabled());
    form.findChild<QCheckBox*>("ShowDateCheckBox")->setChecked(true);
    form.findChild<QSpinBox*>("TimeDecimalPlacesSpinEdit")->setValue(1);
    form.findChild<QCheckBox*>("ShowMessageCheckBox")->setChecked(false);
    chosen = form.Result(o, true);
    EXPECT_EQ(chosen.IPAddress, "10.0.0.5");
    EXPECT_EQ(chosen.COMPort, o.COMPort);
    EXPECT_TRUE(chosen.ShowDate);
    EXPECT_EQ(chosen.TimeDP, 1);
    EXPECT_FALSE(chosen.ShowMessage);
}

TEST(HelpWindow, OpensTheShippedTopicsAtTheirContexts) {
    HelpWindow help;
    help.ShowContext(0);
    EXPECT_TRUE(help.Browser()->toPlainText().contains("Contents"));
    help.ShowContext(10);
    EXPECT_EQ(help.Browser()->source().toString(), "qrc:/help/options.html");
    EXPECT_TRUE(help.Browser()->toPlainText().contains("Program Options"));
    help.ShowContext(12345);
    EXPECT_EQ(help.Browser()->source().toString(), "qrc:/help/index.html");
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
