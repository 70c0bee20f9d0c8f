// The JSON form of a decoded line: its exact shape, the escapes that keep it valid UTF-8
// whatever bytes the line held, and the sample it reports.
#include <gtest/gtest.h>

#include <rapidjson/document.h>

#include <random>
#include <string>

#include "cli/orbex_dump/decoded_json.h"
#include "decode/line_decoder.h"
#include "tests/decode/test_lines.h"

namespace orbex {
namespace {

using test::Sentence;

class DecodedJsonTest : public ::testing::Test {
  protected:
    std::string Json(std::string_view line) {
        std::string out;
        AppendDecodedLineJson(out, decoder_, line);
        return out;
    }
    LineDecoder decoder_;
};

TEST_F(DecodedJsonTest, ExactObjectsForTypicalLines) {
    EXPECT_EQ(Json(Sentence("$PVLM,7")),
              R"({"line":"$PVLM,7*1C","ok":true,"state":{"kind":"$PVLM","pvlmValue":7}})"
              "\n");
    EXPECT_EQ(Json("$GPGLL,3854.5087,N\r\n"),
              R"({"line":"$GPGLL,3854.5087,N","ok":true,"state":{}})"
              "\n");
    EXPECT_EQ(Json("$GPRMC,1\r\n"), R"({"line":"$GPRMC,1","ok":false,"error":9,"state":{}})"
                                    "\n");
    EXPECT_EQ(Json(Sentence("$GPGGA,010203,3540.123,S,13945.678,E,1,08,01.5,-00012.5,M")),
              R"({"line":"$GPGGA,010203,3540.123,S,13945.678,E,1,08,01.5,-00012.5,M*1A",)"
              R"("ok":true,"state":{"kind":"$GPGGA","altTime":{"hour":1,"minute":2,"second":3},)"
              R"("latHemisphere":"S","latDegrees":35,"latMinutes":40,"latMinuteFraction":123,)"
              R"("latSeconds":7.38,"lonHemisphere":"E","lonDegrees":139,"lonMinutes":45,)"
              R"("lonMinuteFraction":678,"lonSeconds":40.68,"altitudeMetres":-12,)"
              R"("altitude":-12.5,"hdop":1.5,"fixQuality":"1","satellitesUsed":8},)"
              R"("sample":{"lat":-128407.38,"lon":503140.68,"next":1}})"
              "\n");
}

TEST_F(DecodedJsonTest, ChannelArraysHoldSixteenObjectsOnlyWhenOneIsFilled) {
    const std::string gsv = Json(Sentence("$GPGSV,3,2,10,13,38,213,45"));
    EXPECT_NE(gsv.find(R"("satellites":[{},{},{},{},{"gsvPrn":13,"gsvElevation":38,)"
                       R"("gsvAzimuth":213,"gsvSnr":45},{},{},{},{},{},{},{},{},{},{},{}])"),
              std::string::npos)
        << gsv;
    EXPECT_EQ(gsv.find("extSatellites"), std::string::npos);
    EXPECT_EQ(Json(Sentence("$GPGSV,9,9,10")).find("satellites"), std::string::npos);

    const std::string pssst = Json(Sentence("$PSSST,1,1,05,A,1,2,00123,N"));
    EXPECT_NE(pssst.find(R"("extSatellites":[{"prn":5,"code":"A","digitA":1,"digitB":2,)"
                         R"("value":-123},{"code":"\u00FF","digitA":255,"digitB":255},)"),
              std::string::npos)
        << pssst;

    const std::string pext = Json(Sentence("$PEXT,1,02,03,004,05,06,07,08,9A0"));
    EXPECT_NE(pext.find(R"("pextFlags":[1,0,0,1,0,1,0,1,0,0,0,0])"), std::string::npos) << pext;
}

TEST_F(DecodedJsonTest, FixedColumnRecordsNestTheirTimesAndSample) {
    const std::string native = Json(test::NativeRecord());
    EXPECT_EQ(native.rfind(R"({"line":"SMV104260815312345)", 0), 0u) << native;
    EXPECT_NE(native.find(R"("nativeTime":{"year":26,"month":8,"day":15,"dayCode":"3",)"
                          R"("hour":12,"minute":34,"second":56})"),
              std::string::npos);
    EXPECT_NE(native.find(R"("dopCode":"C","fixMode":"4","datumCode":"A")"), std::string::npos);
    EXPECT_NE(native.find(R"("nativeTailText":"EF","nativeLastChar":"Z"})"), std::string::npos);
    EXPECT_NE(native.find(R"("sample":{"lat":)"), std::string::npos);
    EXPECT_EQ(native.find("altFixTime"), std::string::npos);

    const std::string four = Json(test::FourChannelRecord());
    EXPECT_EQ(four.find("sample"), std::string::npos);
    EXPECT_NE(four.find(R"("nativeFlag":"0","nativeTailText":"__","nativeLastChar":"_"})"),
              std::string::npos)
        << four;
}

TEST_F(DecodedJsonTest, EveryByteThatIsNotPrintableAsciiIsEscaped) {
    const std::string line("$PVLM\"\\/\t\x01\x7F\x80\xFF\0X\r\n", 17);
    EXPECT_EQ(Json(line), R"({"line":"$PVLM\"\\/\u0009\u0001\u007F\u0080\u00FF\u0000X","ok":false,)"
                          R"("error":9,"state":{}})"
                          "\n");
    // Each terminator is stripped from the text, and only the terminator.
    EXPECT_EQ(Json("$GPGLL\xDA").rfind(R"({"line":"$GPGLL","ok":true)", 0), 0u);
    EXPECT_EQ(Json("$GPGLL\n").rfind(R"({"line":"$GPGLL","ok":true)", 0), 0u);
    EXPECT_EQ(Json("$GPGLL\r").rfind(R"({"line":"$GPGLL\u000D","ok":true)", 0), 0u);
}

TEST_F(DecodedJsonTest, OutputIsAlwaysOneValidObjectPerLine) {
    std::mt19937 random(8140);
    std::string out;
    const std::string seeds[] = {test::NativeRecord(), test::FourChannelRecord(),
                                 Sentence("$PSGSA,A,04,05,,02.5,01.3,02.1,-01234,08122026,X"),
                                 Sentence("$PSSST,2,2,05,A,1,2,00123,N,12,B,3,4,00456,P")};
    int lines = 0;
    for (const std::string& seed : seeds) {
        for (int round = 0; round < 200; ++round) {
            std::string line = seed;
            for (int k = 0; k < 4; ++k) {
                line[random() % line.size()] = static_cast<char>(random() % 256);
            }
            AppendDecodedLineJson(out, decoder_, line);
            ++lines;
        }
    }
    std::size_t begin = 0;
    int parsed = 0;
    while (begin < out.size()) {
        const std::size_t end = out.find('\n', begin);
        ASSERT_NE(end, std::string::npos);
        rapidjson::Document document;
        const std::string object = out.substr(begin, end - begin);
        document.Parse<rapidjson::kParseValidateEncodingFlag>(object.c_str());
        ASSERT_FALSE(document.HasParseError()) << object;
        ASSERT_TRUE(document.IsObject() && document.HasMember("state"));
        ++parsed;
        begin = end + 1;
    }
    EXPECT_EQ(parsed, lines);
}

}  // namespace
}  // namespace orbex
