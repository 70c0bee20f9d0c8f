// The exports of orbex-dump, read back with an XML parser (GPX, KML) and as CSV rows: one
// point per fix of a vm8140-sim recording that starts without a fix, nothing for the rest.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QString>
#include <QXmlStreamReader>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/link/link_test_support.h"
#include "tests/support/test_files.h"

namespace orbex {
namespace {

using orbex::test::Slurp;

class FixExportTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir_ = new testing::TempDir;
        // A cold start at the first epoch: 20 s without a fix, then fixes.
        recording_ = (dir_->Path() / "cold & start.rec").string();
        const std::string truth = (dir_->Path() / "truth").string();
        ASSERT_EQ(std::system(("printf '@CD\\r\\n' | " + std::string(ORBEX_SIM_EXE) +
                               " --stdout --fast --seed 7 --duration 60 --ttff-cold 20 --truth " +
                               truth + " >'" + recording_ + "'")
                                  .c_str()),
                  0);
        std::istringstream lines(Slurp(truth));
        for (std::string line; std::getline(lines, line);) {
            fixes_ += line.find("\"tag\":\"$GPGGA\"") != std::string::npos &&
                      line.find("\"fix\":true") != std::string::npos;
        }
    }
    static void TearDownTestSuite() { delete dir_; }

    std::string Export(const std::string& format) {
        const std::string out = (dir_->Path() / ("out." + format)).string();
        const int status = std::system((std::string(ORBEX_DUMP_EXE) + " --file '" + recording_ +
                                        "' --export " + format + " >" + out)
                                           .c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        return Slurp(out);
    }

    static inline testing::TempDir* dir_ = nullptr;
    static inline std::string recording_;
    static inline int fixes_ = 0;
};

TEST_F(FixExportTest, GpxIsWellFormedWithOnePointPerFix) {
    ASSERT_GT(fixes_, 30);
    ASSERT_LT(fixes_, 50);  // the first 20 s had no fix
    QXmlStreamReader xml(QString::fromStdString(Export("gpx")));
    int points = 0, times = 0;
    QString name;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        if (xml.name() == u"gpx") {
            EXPECT_EQ(xml.namespaceUri(), u"http://www.topografix.com/GPX/1/1");
            EXPECT_EQ(xml.attributes().value("version"), u"1.1");
        } else if (xml.name() == u"name") {
            name = xml.readElementText();
        } else if (xml.name() == u"trkpt") {
            ++points;
            bool latOk = false, lonOk = false;
            const double lat = xml.attributes().value("lat").toDouble(&latOk);
            const double lon = xml.attributes().value("lon").toDouble(&lonOk);
            EXPECT_TRUE(latOk && lonOk && lat > 35.6 && lat < 35.7 && lon > 139.7 && lon < 139.8);
        } else if (xml.name() == u"time") {
            times += xml.readElementText().startsWith(u"2026-06-01T12:");
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(points, fixes_);
    EXPECT_EQ(times, fixes_);
    EXPECT_EQ(name, u"cold & start.rec");
}

TEST_F(FixExportTest, KmlAndCsvHoldTheSameFixes) {
    QXmlStreamReader xml(QString::fromStdString(Export("kml")));
    QStringList placemarks;
    qsizetype coordinates = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        if (xml.name() == u"Placemark") {
            xml.readNextStartElement();
            placemarks << xml.readElementText();
        } else if (xml.name() == u"LineString") {
            xml.readNextStartElement();  // tessellate
            xml.skipCurrentElement();
            xml.readNextStartElement();
            coordinates = xml.readElementText().split(u'\n', Qt::SkipEmptyParts).size();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(placemarks, (QStringList{"Track", "First fix", "Last fix"}));
    EXPECT_EQ(coordinates - 1, fixes_);  // the last split part is the closing indentation

    std::istringstream csv(Export("csv"));
    std::string row;
    std::getline(csv, row);
    EXPECT_EQ(row, "time,latitude,longitude,altitude\r");
    int rows = 0;
    while (std::getline(csv, row)) {
        rows += std::count(row.begin(), row.end(), ',') == 3;
    }
    EXPECT_EQ(rows, fixes_);
}

TEST_F(FixExportTest, TimesOutOfRangeAreLeftOutAndDatesCarryOverMidnight) {
    const std::string gga = ",3540.1234,N,13945.6789,E,1,08,0.9,45.4,M,,M,,";
    const std::string path = (dir_->Path() / "dates.nmea").string();
    std::ofstream(path) << test::Sentence("$GPZDA,235958,28,02,2021,00,00")
                        << test::Sentence("$GPGGA,235959" + gga)
                        << test::Sentence("$GPGGA,126100" + gga)             // 12:61:00
                        << test::Sentence("$GPZDA,000000,31,02,2021,00,00")  // no such day
                        << test::Sentence("$GPGGA,000001" + gga);
    const std::string out = (dir_->Path() / "dates.gpx").string();
    ASSERT_EQ(
        std::system(
            (std::string(ORBEX_DUMP_EXE) + " --file '" + path + "' --export gpx >" + out).c_str()),
        0);
    QXmlStreamReader xml(QString::fromStdString(Slurp(out)));
    QStringList times;
    int points = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement) {
            points += xml.name() == u"trkpt";
            if (xml.name() == u"time") {
                times << xml.readElementText();
            }
        }
    }
    EXPECT_EQ(points, 3);
    EXPECT_EQ(times, (QStringList{"2021-02-28T23:59:59Z", "2021-03-01T00:00:01Z"}));
}

}  // namespace
}  // namespace orbex
