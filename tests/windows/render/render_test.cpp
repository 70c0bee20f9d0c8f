// Monitor windows driven as orbex-render drives them: recorded lines through the decoder and
// the main window's dispatch rule, then a draw log (JSON lines) and a picture. The last group
// runs the orbex-render program itself when it has been built beside the tests.
#include <gtest/gtest.h>

#include <cstdio>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "tests/support/decimal_comma_locale.h"
#include "tests/support/qt_printers.h"
#include "windows/position_plot/position_plot_window.h"
#include "windows/registry/monitor_window_rows.h"
#include "windows/registry/window_render.h"
#include "windows/velocity/velocity_window.h"

namespace orbex {
namespace {

// Three epochs of a receiver driving south-east at 40 km/h in the southern and western
// hemispheres, as vm8140-sim records them.
const std::vector<std::string> kMovingEpochs = {
    "$GPGGA,120000,3352.1280,S,15112.5580,W,1,12,01.0,00040.0,M,036.7,M,,*48\r\n",
    "$GPGSA,A,3,02,03,07,09,12,13,17,18,26,28,29,32,01.7,01.0,01.4*05\r\n",
    "$GPVTG,134.9,T,141.9,M,021.5,N,039.9,K*49\r\n",
    "$GPZDA,120000,01,06,2026,00,00*4A\r\n",
    "$GPGGA,120001,3352.1317,S,15112.5531,W,1,12,01.0,00039.5,M,036.7,M,,*47\r\n",
    "$GPGSA,A,3,02,03,07,09,12,13,17,18,26,28,29,32,01.7,01.0,01.4*05\r\n",
    "$GPVTG,135.8,T,142.8,M,021.6,N,040.0,K*4F\r\n",
    "$GPZDA,120001,01,06,2026,00,00*4B\r\n",
    "$GPGGA,120002,3352.1359,S,15112.5484,W,1,12,01.0,00040.7,M,036.7,M,,*4D\r\n",
    "$GPGSA,A,3,02,03,07,09,12,13,17,18,26,28,29,32,01.7,01.0,01.4*05\r\n",
    "$GPVTG,136.0,T,143.0,M,021.3,N,039.5,K*43\r\n",
    "$GPZDA,120002,01,06,2026,00,00*48\r\n",
};

const std::vector<std::string> kNativeRecords = {
    "SM1."
    "042606011120000N3540524E13946016000400003362606011120000C4ACDmFJEFMFLLFkFKOFmFKRGAFKVFCFLXCIFI"
    "dHbFLeFqFKhEfFJ@__AA@__AA@__AA@__AA@__AA@__AA1KFF_\r\n",
    "SM1."
    "042606011120001N3540524E13946016000410002792606011120001C4ACDmFKEFMFLLFkFKOFmFKRGAFKVFCFLXCIFI"
    "dHbFKeFqFLhEfFJ@__AA@__AA@__AA@__AA@__AA@__AA1KCH_\r\n",
};

void Feed(MonitorWindowRender& render, const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        render.FeedLine(line);
    }
}

bool HasLine(const QStringList& log, const QString& json) {
    return log.contains(json);
}

// ---- dispatch ----

TEST(RenderDispatchTest, OnlyDecodedLinesReachARecordWindow) {
    MonitorWindowRender render(WindowFeed::Record,
                               [](LineDecoder& decoder) { return new CPositionPlotWnd(decoder); });
    ASSERT_TRUE(render.valid());
    render.FeedLine("$GPZDA,120000,01,06,2026,00,00*4A\r\n");
    // A wrong checksum, garbage and an empty line do not decode and change nothing.
    render.FeedLine("$GPZDA,120001,01,06,2026,00,00*00\r\n");
    render.FeedLine("\x01\x02garbage\r\n");
    render.FeedLine("");
    EXPECT_EQ(render.linesFed(), 4);
    EXPECT_EQ(render.recordsDecoded(), 1);
    const auto* plot = static_cast<CPositionPlotWnd*>(render.window());
    EXPECT_EQ(plot->plot().updateCount(), 1);
}

TEST(RenderDispatchTest, MonitorWindowsAreFoundByNumberOrNameAndFedByKind) {
    const WindowTable table({MonitorWindowRows()});
    for (const char* name :
         {"0", "general-info", "1", "satellites", "2", "position-plot", "13", "velocity"}) {
        ASSERT_NE(table.RowNamed(name), nullptr) << name;
        EXPECT_EQ(table.RowNamed(name)->feed, WindowFeed::Record) << name;
    }
    ASSERT_NE(table.RowNamed("console"), nullptr);
    EXPECT_EQ(table.RowNamed("console")->kind, 3);
    EXPECT_EQ(table.RowNamed("3")->feed, WindowFeed::EveryLine);
    for (const char* name : {"8", "ttff", "-1", "2x", ""}) {
        EXPECT_EQ(table.RowNamed(name), nullptr) << name;
    }
}

TEST(RenderDispatchTest, NoWindowDrawsNothing) {
    MonitorWindowRender render(WindowFeed::Record, nullptr);
    EXPECT_FALSE(render.valid());
    render.FeedLine("$GPZDA,120000,01,06,2026,00,00*4A\r\n");
    EXPECT_TRUE(render.DrawLog().isEmpty());
    EXPECT_TRUE(render.Grab().isNull());
}

// ---- draw log ----

TEST(RenderDrawLogTest, PositionPlotOfARecordedDriveInTheSouthWest) {
    MonitorWindowRender render(WindowFeed::Record,
                               [](LineDecoder& decoder) { return new CPositionPlotWnd(decoder); });
    Feed(render, kMovingEpochs);
    const QStringList log = render.DrawLog();
    ASSERT_FALSE(log.isEmpty());
    EXPECT_EQ(log.front(),
              QStringLiteral(R"({"op":"fill","rect":[0,0,650,440],"color":"#000000"})"));
    EXPECT_TRUE(HasLine(
        log,
        QStringLiteral(
            R"({"op":"textrect","rect":[5,5,261,65],"text":"Center: [LAT] S  33  52.1359' ","fg":"#FFFFFF","bg":null})")));
    EXPECT_TRUE(HasLine(
        log,
        QStringLiteral(
            R"({"op":"textrect","rect":[5,369,261,435],"text":"[LON] W 151  12.5484' ","fg":"#FFFFFF","bg":null})")));
    EXPECT_TRUE(HasLine(
        log,
        QStringLiteral(
            R"({"op":"textrect","rect":[545,394,650,434],"text":"Speed= 39","fg":"#FFFFFF","bg":null})")));
    // The first fix (the first centre, although it came before the first time), the next one
    // south-west of it (down and left), and the third, too far down: the view re-centres on it.
    EXPECT_TRUE(HasLine(
        log, QStringLiteral(
                 R"({"op":"ellipse","rect":[323,218,327,222],"pen":"#FF0000","brush":null})")));
    int points = 0;
    for (const QString& line : log) {
        points += line.contains(QStringLiteral("\"pen\":\"#00FF00\"")) ? 1 : 0;
    }
    EXPECT_EQ(points, 3);
    // The zoom buttons come after the window's own calls, tagged with their names.
    const auto zoomIn = log.indexOf(
        QStringLiteral(R"({"op":"fill","child":"zoomIn","rect":[0,0,20,20],"color":"#C0C0C0"})"));
    const auto zoomOut = log.indexOf(
        QStringLiteral(R"({"op":"fill","child":"zoomOut","rect":[0,0,20,20],"color":"#C0C0C0"})"));
    ASSERT_GE(zoomIn, 0);
    ASSERT_GE(zoomOut, 0);
    for (qsizetype i = std::min(zoomIn, zoomOut); i < log.size(); ++i) {
        EXPECT_TRUE(log[i].contains(QStringLiteral("\"child\":"))) << log[i].toStdString();
    }
}

TEST(RenderDrawLogTest, VelocityOfTheSameDrive) {
    MonitorWindowRender render(WindowFeed::Record, [](LineDecoder&) { return new CVelocityWnd(); });
    Feed(render, kMovingEpochs);
    const QStringList log = render.DrawLog();
    const QStringList expected = {
        R"({"op":"text","x":456,"y":16,"text":"1 line equals 1km/h","fg":"#FFFFFF","bg":"#000000"})",
        R"({"op":"text","x":456,"y":48,"text":"Current PDOP: 1.700000","fg":"#FFFFFF","bg":"#000000"})",
        R"({"op":"text","x":456,"y":80,"text":"Speed    :  39","fg":"#FFFFFF","bg":"#000000"})",
        R"({"op":"text","x":456,"y":96,"text":"Heading  : 136","fg":"#FFFFFF","bg":"#000000"})",
        R"({"op":"text","x":456,"y":128,"text":"  Samples:   3","fg":"#FFFFFF","bg":"#000000"})",
    };
    for (const QString& line : expected) {
        EXPECT_TRUE(HasLine(log, line)) << line.toStdString();
    }
}

TEST(RenderDrawLogTest, ANativeRecordingDrawsThePositionPlotInTheNativeLayout) {
    MonitorWindowRender render(WindowFeed::Record,
                               [](LineDecoder& decoder) { return new CPositionPlotWnd(decoder); });
    Feed(render, kNativeRecords);
    const QStringList log = render.DrawLog();
    bool centre = false, date = false;
    for (const QString& line : log) {
        centre = centre || line.contains(QStringLiteral("\"text\":\"CENTER: [LAT] N  35  40'"));
        date = date || line.contains(QStringLiteral("Window Created At: Jun  1, 12: 0: 0, 2026"));
    }
    EXPECT_TRUE(centre);
    EXPECT_TRUE(date);
}

// ---- picture ----

TEST(RenderPictureTest, TheGrabShowsTheGridAndTheFixesWhereTheLogSaysTheyAre) {
    MonitorWindowRender render(WindowFeed::Record,
                               [](LineDecoder& decoder) { return new CPositionPlotWnd(decoder); });
    Feed(render, kMovingEpochs);
    const QImage picture = render.Grab().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(picture.size(), QSize(650, 440));
    EXPECT_EQ(QColor(picture.pixel(20, 150)), QColor(0, 0, 255));  // a grid line
    EXPECT_EQ(QColor(picture.pixel(30, 150)), QColor(0, 0, 0));    // between grid lines
    // The outer green circle of the centre fix at (325, 220): its left edge is 4 pixels off.
    EXPECT_EQ(QColor(picture.pixel(321, 220)), QColor(0, 255, 0));
}

TEST(RenderPictureTest, TheVelocityTargetRingsLieEveryFivePixels) {
    MonitorWindowRender render(WindowFeed::Record, [](LineDecoder&) { return new CVelocityWnd(); });
    const QImage picture = render.Grab().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(picture.size(), QSize(640, 400));
    // Centre (228, 200). Thirty pixels above it, ring 10 (50 pixels out, red) crosses about
    // 40 pixels to the left and ring 9 (45 pixels, blue) about 33.5 pixels.
    const auto colourNear = [&](int x, const QColor& colour) {
        for (int dx = -2; dx <= 2; ++dx) {
            if (QColor(picture.pixel(x + dx, 170)) == colour) {
                return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(colourNear(228 - 40, QColor(255, 0, 0)));
    EXPECT_TRUE(colourNear(228 - 34, QColor(0, 0, 255)));
    EXPECT_FALSE(colourNear(228 - 40, QColor(0, 0, 255)));
}

// ---- the program ----

class RenderProgramTest : public ::testing::Test {
  protected:
    void SetUp() override {
        program_ = QDir(QCoreApplication::applicationDirPath())
                       .absoluteFilePath(QStringLiteral("../../cli/orbex_render/orbex-render"));
        if (!QFile::exists(program_)) {
            GTEST_SKIP() << "orbex-render is not built";
        }
        ASSERT_TRUE(dir_.isValid());
        recording_ = dir_.filePath(QStringLiteral("drive.rec"));
        QFile file(recording_);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        for (const std::string& line : kMovingEpochs) {
            file.write(line.data(), static_cast<qint64>(line.size()));
        }
    }

    // Runs orbex-render, under the locale when one is named (as a desktop's language sets it).
    int Run(const QStringList& arguments, QByteArray* out = nullptr, const char* locale = nullptr) {
        return RunProgram(program_, arguments, out, locale);
    }

    int RunProgram(const QString& program, const QStringList& arguments, QByteArray* out,
                   const char* locale) {
        QProcess process;
        if (locale != nullptr) {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QStringLiteral("LC_ALL"), QString::fromLatin1(locale));
            process.setProcessEnvironment(environment);
        }
        process.start(program, arguments);
        if (!process.waitForFinished(30000)) {
            return -1;
        }
        if (out != nullptr) {
            *out = process.readAllStandardOutput();
        }
        return process.exitCode();
    }

    QString program_;
    QTemporaryDir dir_;
    QString recording_;
};

TEST_F(RenderProgramTest, WritesTheDrawLogAndThePicture) {
    const QString png = dir_.filePath(QStringLiteral("plot.png"));
    QByteArray out;
    ASSERT_EQ(Run({QStringLiteral("2"), recording_, QStringLiteral("--png"), png,
                   QStringLiteral("--draw-log")},
                  &out),
              0);
    EXPECT_TRUE(out.startsWith(R"({"op":"fill","rect":[0,0,650,440],"color":"#000000"})"
                               "\n"));
    EXPECT_TRUE(out.contains("Center: [LAT] S  33  52.1359' "));
    EXPECT_EQ(QImage(png).size(), QSize(650, 440));
}

TEST_F(RenderProgramTest, EveryKindLogsItsOwnCallsAndItsChildrensTagged) {
    // The Console logs its list items, the satellite window its level rows and sky plot as
    // children; a window with plain child widgets must not have them taken for drawn ones.
    QByteArray console;
    ASSERT_EQ(Run({QStringLiteral("3"), recording_, QStringLiteral("--draw-log")}, &console), 0);
    const QList<QByteArray> items = console.trimmed().split('\n');
    ASSERT_EQ(items.size(), static_cast<qsizetype>(std::size(kMovingEpochs)) + 1);
    EXPECT_TRUE(items.front().startsWith(R"({"op":"item","text":"$GPGGA,)"));
    EXPECT_EQ(items.back(), QByteArray(R"({"op":"item","text":"|"})"));

    QByteArray satellites;
    ASSERT_EQ(Run({QStringLiteral("1"), recording_, QStringLiteral("--draw-log")}, &satellites), 0);
    EXPECT_TRUE(satellites.contains(R"("child":"skyplot")"));
    EXPECT_TRUE(satellites.contains(R"("child":"level0")"));
    for (const char* kind : {"general-info", "13"}) {
        EXPECT_EQ(Run({QString::fromLatin1(kind), recording_, QStringLiteral("--draw-log")}), 0)
            << "kind " << kind;
    }
}

// A "$GPGSV" sentence of the satellites (number, C/N0 in dB-Hz) with its checksum.
std::string GsvSentence(const std::vector<std::pair<int, int>>& satellites) {
    std::string body = "GPGSV,1,1," + std::to_string(satellites.size());
    for (const auto& [prn, snr] : satellites) {
        body += "," + std::to_string(prn) + ",45,120," + std::to_string(snr);
    }
    unsigned sum = 0;
    for (char c : body) {
        sum ^= static_cast<unsigned char>(c);
    }
    char checksum[4];
    std::snprintf(checksum, sizeof checksum, "%02X", sum & 0xFF);
    return "$" + body + "*" + checksum + "\r\n";
}

TEST_F(RenderProgramTest, EveryWindowDrawsTheSameBytesUnderADecimalCommaLocale) {
    std::string error;
    ASSERT_TRUE(test::EnsureDecimalCommaLocale(error)) << error;
    // The NMEA drive with C/N0 after each epoch, and followed by native records (the native
    // pages, and the signal levels' own scale).
    const QString withSignals = dir_.filePath(QStringLiteral("signals.rec"));
    {
        QFile file(withSignals);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        for (std::size_t i = 0; i < std::size(kMovingEpochs); ++i) {
            const std::string& line = kMovingEpochs[i];
            file.write(line.data(), static_cast<qint64>(line.size()));
            if (line.rfind("$GPZDA", 0) == 0) {
                const int snr = 38 + static_cast<int>(i % 5);
                const std::string gsv = GsvSentence({{2, snr}, {3, snr + 4}, {7, 29}, {9, 45}});
                file.write(gsv.data(), static_cast<qint64>(gsv.size()));
            }
        }
    }
    const QString mixed = dir_.filePath(QStringLiteral("mixed.rec"));
    ASSERT_TRUE(QFile::copy(withSignals, mixed));
    QFile file(mixed);
    ASSERT_TRUE(file.open(QIODevice::Append));
    for (const std::string& line : kNativeRecords) {
        file.write(line.data(), static_cast<qint64>(line.size()));
    }
    file.close();
    for (const QString& recording : {withSignals, mixed}) {
        for (const char* kind : {"0", "1", "2", "3", "13", "14"}) {
            const QStringList arguments = {QString::fromLatin1(kind), recording,
                                           QStringLiteral("--draw-log")};
            QByteArray inC, inDecimalComma;
            ASSERT_EQ(Run(arguments, &inC, "C"), 0);
            ASSERT_EQ(Run(arguments, &inDecimalComma, test::kDecimalCommaLocale), 0);
            EXPECT_FALSE(inC.isEmpty());
            EXPECT_FALSE(inC.contains("Waiting for $GPGSV")) << "kind " << kind;
            EXPECT_EQ(inDecimalComma, inC) << "kind " << kind << " of " << recording.toStdString();
        }
    }

    // orbex-report's pages of a TTFF summary (fractions, a limit, error distances) and of the
    // drive's fixes.
    const QString report =
        QDir(QCoreApplication::applicationDirPath())
            .absoluteFilePath(QStringLiteral("../../cli/orbex_report/orbex-report"));
    if (!QFile::exists(report)) {
        GTEST_SKIP() << "orbex-report is not built";
    }
    const QString summary = dir_.filePath(QStringLiteral("summary.json"));
    {
        QFile file(summary);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(
            R"({"options":{"mode":"cold","count":2,"interval":7,"limit":12.5,"percentile":95,)"
            R"("max_failures":0,"cycle_timeout":null,"ports":["/tmp/simA"],)"
            R"("ref":[-33.8688,151.2093,40.5]},"receivers":[{"port":"/tmp/simA","cycles":[)"
            R"({"port":"/tmp/simA","cycle":1,"start":"2026-01-01T00:00:00Z","ttff":11,)"
            R"("ttff_ms":11250,"lat":-33.86881,"lon":151.20931,"alt":40.5,"error_m":1.75},)"
            R"({"port":"/tmp/simA","cycle":2,"start":"2026-01-01T00:01:00Z","ttff":9,)"
            R"("ttff_ms":9875,"lat":-33.86882,"lon":151.20932,"alt":41.5,"error_m":2.25}],)"
            R"("statistics":{}}],"all":{},"verdict":"pass","confidence":0.2236,"complete":true})");
    }
    const std::vector<QStringList> reports = {
        {QStringLiteral("ttff"), summary},
        {QStringLiteral("accuracy"), withSignals, QStringLiteral("--ref"),
         QStringLiteral("-33.87,-151.21")}};
    for (const QStringList& arguments : reports) {
        const QString inC = dir_.filePath(QStringLiteral("c.html"));
        const QString inDecimalComma = dir_.filePath(QStringLiteral("comma.html"));
        ASSERT_EQ(
            RunProgram(report, arguments + QStringList{QStringLiteral("-o"), inC}, nullptr, "C"),
            0);
        ASSERT_EQ(RunProgram(report, arguments + QStringList{QStringLiteral("-o"), inDecimalComma},
                             nullptr, test::kDecimalCommaLocale),
                  0);
        QFile c(inC);
        QFile comma(inDecimalComma);
        ASSERT_TRUE(c.open(QIODevice::ReadOnly) && comma.open(QIODevice::ReadOnly));
        const QByteArray page = c.readAll();
        EXPECT_TRUE(page.contains("</html>")) << arguments.join(' ').toStdString();
        EXPECT_EQ(comma.readAll(), page) << arguments.join(' ').toStdString();
    }
}

TEST_F(RenderProgramTest, RefusesWhatItCannotDo) {
    QByteArray usage;
    EXPECT_EQ(Run({QStringLiteral("--help")}, &usage), 0);
    EXPECT_TRUE(usage.startsWith("usage: orbex-render KIND FILE")) << usage.toStdString();
    EXPECT_TRUE(usage.contains("2 position-plot")) << usage.toStdString();
    EXPECT_EQ(Run({QStringLiteral("9"), recording_, QStringLiteral("--draw-log")}), 2);
    EXPECT_EQ(Run({QStringLiteral("2"), recording_}), 2);  // nothing to write
    EXPECT_EQ(Run({QStringLiteral("2x"), recording_, QStringLiteral("--draw-log")}), 2);
    // Files named on the command line that cannot be opened at the start are bad use; a write
    // that fails once the work is done (a full disk) is a failure.
    EXPECT_EQ(Run({QStringLiteral("2"), dir_.filePath(QStringLiteral("missing.rec")),
                   QStringLiteral("--draw-log")}),
              2);
    EXPECT_EQ(Run({QStringLiteral("2"), recording_, QStringLiteral("--png"),
                   dir_.filePath(QStringLiteral("no/such/dir/plot.png"))}),
              2);
    EXPECT_EQ(Run({QStringLiteral("2"), recording_, QStringLiteral("--png"),
                   QStringLiteral("/dev/full")}),
              1);
}

// OrbexCE's renderer follows the same rule, and answers --help with its usage.
TEST_F(RenderProgramTest, TheHandheldRendererAnswersHelpAndSortsItsFailures) {
    program_ = QDir(QCoreApplication::applicationDirPath())
                   .absoluteFilePath(QStringLiteral("../../handheld/orbexce-render"));
    if (!QFile::exists(program_)) {
        GTEST_SKIP() << "orbexce-render is not built";
    }
    QByteArray usage;
    EXPECT_EQ(Run({QStringLiteral("--help")}, &usage), 0);
    EXPECT_TRUE(usage.startsWith("usage: orbexce-render FILE")) << usage.toStdString();
    EXPECT_EQ(Run({recording_}), 2);  // nothing to write
    EXPECT_EQ(Run({dir_.filePath(QStringLiteral("missing.rec")), QStringLiteral("--draw-log")}), 2);
    EXPECT_EQ(Run({recording_, QStringLiteral("--png"),
                   dir_.filePath(QStringLiteral("no/such/dir/plot.png"))}),
              2);
    EXPECT_EQ(Run({recording_, QStringLiteral("--png"), QStringLiteral("/dev/full")}), 1);
    EXPECT_EQ(Run({recording_, QStringLiteral("--draw-log")}), 0);
}

}  // namespace
}  // namespace orbex
