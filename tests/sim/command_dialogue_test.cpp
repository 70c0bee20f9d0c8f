// The receiver's side of every command dialogue, driven through the simulator's API: resets
// with echo, banner and time to fix; almanac, ephemeris and assistance dumps and uploads; the
// handheld's commands; and how the receiver cuts what it receives into lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "sim/command_handler.h"
#include "sim/receiver_data.h"
#include "sim/receiver_simulator.h"
#include "sim_test_support.h"

namespace orbex::sim {
namespace {

using testing::SplitLines;
using testing::Text;

class Session {
  public:
    explicit Session(SimOptions options = testing::TestOptions())
        : sim_(options, testing::TestStart(), nullptr), t_(testing::TestStart()) {}

    // Sends bytes now; returns the reply lines without terminators.
    std::vector<std::string> Send(const std::string& bytes) {
        return Texts(sim_.Receive(bytes, t_));
    }
    // Runs epochs for `seconds`; returns every line sent meanwhile.
    std::vector<std::string> Run(double seconds) {
        std::vector<std::string> all;
        const SimMillis end = t_ + static_cast<SimMillis>(seconds * 1000);
        for (; t_ < end; t_ += sim_.period()) {
            for (std::string& line : Texts(sim_.Epoch(t_))) {
                all.push_back(std::move(line));
            }
        }
        return all;
    }
    void Advance(SimMillis ms) { t_ += ms; }
    std::vector<std::string> Tick() { return Texts(sim_.Tick(t_)); }
    ReceiverSimulator& sim() { return sim_; }
    SimMillis now() const { return t_; }

  private:
    static std::vector<std::string> Texts(const std::string& bytes) {
        std::vector<std::string> texts;
        for (const std::string& line : SplitLines(bytes)) {
            texts.push_back(Text(line));
        }
        return texts;
    }
    ReceiverSimulator sim_;
    SimMillis t_;
};

std::vector<std::string> Ggas(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    std::copy_if(lines.begin(), lines.end(), std::back_inserter(out),
                 [](const std::string& l) { return l.rfind("$GPGGA", 0) == 0; });
    return out;
}

bool HasFix(const std::string& gga) {
    return testing::Fields(gga)[5] == "1";
}

// ---- resets -----------------------------------------------------------------------------

TEST(ResetDialogue, EchoBannerThenNoFixForTheStartModesTime) {
    SimOptions o = testing::TestOptions();
    o.ttffWarm = 10;
    o.ttffCold = 20;
    for (const auto& [command, ttff] : {std::pair{"@SW", 10.0}, std::pair{"@CD", 20.0}}) {
        Session s(o);
        ASSERT_TRUE(HasFix(Ggas(s.Run(3)).back()));
        const std::vector<std::string> reply = s.Send(std::string(command) + "\r\n");
        ASSERT_EQ(reply.size(), 2u);
        EXPECT_EQ(reply[0], command);
        EXPECT_EQ(reply[1], "VELMAR VM8140 GPS V1.04");
        EXPECT_EQ(reply[1].size(), 23u);
        const std::vector<std::string> ggas = Ggas(s.Run(ttff * 1.2));
        const auto first = std::find_if(ggas.begin(), ggas.end(), HasFix);
        ASSERT_NE(first, ggas.end()) << command << ": no fix within the time to fix";
        const long noFix = first - ggas.begin();
        EXPECT_GE(noFix, static_cast<long>(ttff * 0.9) - 1) << command;
        EXPECT_LE(noFix, static_cast<long>(ttff * 1.1) + 1) << command;
        EXPECT_TRUE(std::all_of(first, ggas.end(), HasFix)) << "the fix holds once found";
    }
}

TEST(ResetDialogue, HotStartFixesWithinAboutASecondAndLoneCrWorks) {
    Session s;
    s.Run(2);
    const std::vector<std::string> reply = s.Send("@SR\r");  // the handheld ends with a lone CR
    ASSERT_EQ(reply.size(), 2u);
    EXPECT_EQ(reply[0], "@SR");
    const std::vector<std::string> ggas = Ggas(s.Run(4));
    EXPECT_TRUE(HasFix(ggas[2])) << ggas[2];
}

TEST(ResetDialogue, ChannelsLockOnGraduallyBeforeTheFix) {
    SimOptions o = testing::TestOptions();
    o.ttffCold = 20;
    Session s(o);
    s.Run(1);
    s.Send("@CD\r\n");
    s.Run(1);
    const EpochSnapshot early = s.sim().latest();
    s.Run(10);
    const EpochSnapshot middle = s.sim().latest();
    EXPECT_FALSE(middle.fix);
    EXPECT_EQ(early.SatellitesUsed(), 0);
    EXPECT_LT(early.SatellitesTracked(), middle.SatellitesTracked());
    EXPECT_LT(middle.SatellitesTracked(), static_cast<int>(middle.satellites.size()));
}

// ---- line cutting -----------------------------------------------------------------------

TEST(CommandLines, SplitAcrossReadsAndSeveralInOneRead) {
    Session s;
    EXPECT_TRUE(s.Send("@S").empty());
    EXPECT_TRUE(s.Send("R\r").empty() == false);
    EXPECT_TRUE(s.Send("\n").empty()) << "the LF of a CR LF split over two reads ends nothing";
    const std::vector<std::string> two = s.Send("@CLR\r\n@PM \r\n");
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[0], "[CLR] OK Memory Cleared");
    EXPECT_EQ(two[1], "[PM] OK");
}

TEST(CommandLines, NoiseIsIgnoredAndOverlongLinesAreRefusedOnce) {
    Session s;
    EXPECT_TRUE(s.Send("hello\r\n\r\n\n").empty());
    const std::vector<std::string> reply = s.Send(std::string(5000, '@') + "\r\n@PM 1\r\n");
    ASSERT_EQ(reply.size(), 2u);
    EXPECT_EQ(reply[0], "[???] Err Line Too Long");
    EXPECT_EQ(reply[1], "[PM] OK 1");
}

TEST(CommandLines, HandheldCommandsAreNamedAndUnknownOnesRefused) {
    Session s;
    const std::vector<std::string> r = s.Send(
        "@CLR\r@GSV 1 \r@GS 99.0 99.0 99.0 99.0 \r@NC 10111000\r@PM \r@RD1\r\n@XYZ 3\r\n@\r\n");
    EXPECT_EQ(r, (std::vector<std::string>{"[CLR] OK Memory Cleared", "[GSV] OK 1",
                                           "[GS] OK 99.0 99.0 99.0 99.0", "[NC] OK 10111000",
                                           "[PM] OK", "[RD] OK 1", "[XYZ] Err Unknown Command",
                                           "[@] Err Unknown Command"}));
}

// ---- almanac and ephemeris --------------------------------------------------------------

TEST(AlmanacDialogue, DumpsEchoThenSixtyFourOrNinetySixLines) {
    Session s;
    const std::vector<std::string> almanac = s.Send("@AMO\r\n");
    ASSERT_EQ(almanac.size(), 65u);
    EXPECT_EQ(almanac[0], "@AMO");
    EXPECT_TRUE(std::all_of(almanac.begin() + 1, almanac.end(),
                            [](const std::string& l) { return IsDataLine(l, "ALM"); }));
    const std::vector<std::string> ephemeris = s.Send("@EMO\r\n");
    ASSERT_EQ(ephemeris.size(), 97u);
    EXPECT_EQ(ephemeris[0], "@EMO");
    EXPECT_TRUE(IsDataLine(ephemeris[96], "EPH32,3,"));
}

// What the transmission tool does: one data line, then one receiver line, 64 times.
std::vector<std::string> Upload(Session& s, const std::string& command,
                                const std::vector<std::string>& lines) {
    std::vector<std::string> replies = s.Send(command + "\r\n");
    for (const std::string& line : lines) {
        for (std::string& r : s.Send(line + "\r\n")) {
            replies.push_back(std::move(r));
        }
    }
    return replies;
}

TEST(AlmanacDialogue, UploadIsAnsweredLineByLineAndChangesTheNextDump) {
    Session s;
    std::vector<std::string> mine = GenerateAlmanac(777);
    const std::vector<std::string> replies = Upload(s, "@AMI", mine);
    ASSERT_EQ(replies.size(), 2u + 64u);
    EXPECT_EQ(replies[0], "@AMI");
    EXPECT_EQ(replies[1], "[AMI] Ready");
    EXPECT_EQ(replies[2], "[AMI] Line 01 OK");
    EXPECT_EQ(replies.back(), "[AMI] Completed 64 lines");
    std::vector<std::string> dump = s.Send("@AMO\r\n");
    dump.erase(dump.begin());
    EXPECT_EQ(dump, mine);
    EXPECT_NE(mine, GenerateAlmanac(42));
}

TEST(AlmanacDialogue, EphemerisHandshakeIsOneLineThenReady) {
    Session s;
    std::vector<std::string> mine = GenerateEphemeris(5);
    mine[10] = "garbage";
    const std::vector<std::string> replies = Upload(s, "@EMI", mine);
    ASSERT_EQ(replies.size(), 2u + 96u);
    EXPECT_EQ(replies[0], "@EMI");
    EXPECT_EQ(replies[1], "[EMI] Ready");
    EXPECT_EQ(replies[12], "[EMI] Line 11 Err");
    EXPECT_EQ(replies.back(), "[EMI] Completed 96 lines, 1 bad");
    EXPECT_EQ(s.sim().commands().ephemeris(), mine);
}

TEST(AlmanacDialogue, AnInterruptedUploadKeepsTheStoredData) {
    Session s;
    const std::vector<std::string> before = s.sim().commands().almanac();
    std::vector<std::string> part = GenerateAlmanac(9);
    part.resize(10);
    Upload(s, "@AMI", part);
    const std::vector<std::string> reply = s.Send("@SR\r\n");
    ASSERT_EQ(reply.size(), 3u);
    EXPECT_EQ(reply[0], "[AMI] Err Aborted after 10 of 64 lines");
    EXPECT_EQ(reply[1], "@SR");
    EXPECT_EQ(s.sim().commands().almanac(), before);

    Upload(s, "@AMI", part);
    s.Advance(kUploadTimeout + 1000);
    EXPECT_EQ(s.Tick(), (std::vector<std::string>{"[AMI] Err Timeout after 10 of 64 lines"}));
    EXPECT_FALSE(s.sim().commands().uploading());
    EXPECT_EQ(s.sim().commands().almanac(), before);
}

TEST(AlmanacDialogue, BareLineFeedsOfAShortFileAreDataLines) {
    Session s;
    std::vector<std::string> mine = GenerateAlmanac(3);
    mine.resize(60);
    std::vector<std::string> replies = Upload(s, "@AMI", mine);
    for (int i = 0; i < 4; ++i) {
        for (std::string& r : s.Send("\n")) {
            replies.push_back(std::move(r));
        }
    }
    EXPECT_EQ(replies.back(), "[AMI] Completed 64 lines, 4 bad");
    EXPECT_EQ(s.sim().commands().almanac().back(), "");
}

// ---- assistance -------------------------------------------------------------------------

TEST(AssistDialogue, GsmAndWcdmaDumpsCarryCountStampAndCheckCode) {
    Session s;
    s.Run(1);
    const int satellites = static_cast<int>(s.sim().latest().satellites.size());
    struct Case {
        const char* command;
        AssistNetwork network;
        std::size_t countColumn, covered, lines;
    };
    for (const Case& c : {Case{"@ASO", AssistNetwork::kGsm, 27, 28, 2u * satellites},
                          Case{"@SIO", AssistNetwork::kWcdma, 34, 36, 1u * satellites}}) {
        const std::vector<std::string> r = s.Send(std::string(c.command) + "\r\n");
        ASSERT_EQ(r.size(), 2 + c.lines) << c.command;
        EXPECT_EQ(r[0], c.command);
        const std::string& header = r[1];
        ASSERT_EQ(header.size(), c.covered + 4);
        EXPECT_EQ(HexDigit(header[c.countColumn]), satellites - 1);
        char code[5];
        std::snprintf(code, sizeof code, "%04X", AssistCheckCode(header.substr(0, c.covered)));
        EXPECT_EQ(header.substr(c.covered), code);
        const AssistStamp stamp = ReadAssistStamp(c.network, header);
        EXPECT_EQ(stamp.week, GpsWeek10(s.now()));
        EXPECT_NEAR(stamp.timeOfWeekSeconds, TimeOfWeekMillis(s.now()) / 1000.0, 0.08);
    }
}

TEST(AssistDialogue, ErrorOptionAnswersWithTheErrorReply) {
    SimOptions o = testing::TestOptions();
    o.assistError = true;
    Session s(o);
    EXPECT_EQ(s.Send("@ASO\r\n"),
              (std::vector<std::string>{"@ASO", "[ASO] Err No Assistance Data"}));
    EXPECT_EQ(s.Send("@SIO\r\n")[1].substr(0, 9), "[SIO] Err");
}

TEST(AssistCheckCode, IsCrc16XmodemOverTheEncodedBytes) {
    EXPECT_EQ(AssistCheckCode("616263"), 0x9DD6);              // the bytes of "abc"
    EXPECT_EQ(AssistCheckCode("313233343536373839"), 0x31C3);  // "123456789"
    EXPECT_EQ(AssistCheckCode("6g"), AssistCheckCode("60"));   // not a digit counts as 0
    EXPECT_EQ(AssistCheckCode(""), 0);
}

// The stored block as the transmission tool sends it: re-stamped, new check code, upper case.
std::string Restamp(AssistNetwork network, std::string header, SimMillis t) {
    const AssistLayout& layout = LayoutOf(network);
    header.replace(layout.stampColumn, layout.stampChars, AssistStampText(network, t));
    header.resize(layout.coveredChars);
    char code[5];
    std::snprintf(code, sizeof code, "%04X", AssistCheckCode(header));
    return header + code;
}

TEST(AssistDialogue, UploadIsCheckedAndAcceptedBlocksAreDumpedBack) {
    Session s;
    s.Run(1);
    std::vector<std::string> block = s.Send("@ASO\r\n");
    block.erase(block.begin());
    s.Advance(3'600'000);  // an hour later
    block[0] = Restamp(AssistNetwork::kGsm, block[0], s.now());
    block[5] = "0123456789ABCDEF0123456789ABCDEF";
    std::vector<std::string> replies = s.Send("@ASI\r\n");
    EXPECT_EQ(replies, (std::vector<std::string>{"@ASI", "[ASI] Ready"}));
    std::string payload;
    for (const std::string& line : block) {
        payload += line + "\r\n";
    }
    replies = s.Send(payload);
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].rfind("[ASI] OK " + std::to_string(block.size() - 1) + " lines,", 0), 0u)
        << replies[0];
    std::vector<std::string> dump = s.Send("@ASO\r\n");
    dump.erase(dump.begin());
    EXPECT_EQ(dump, block);
}

TEST(AssistDialogue, BadCheckCodeOldWeekAndMissingLinesAreReported) {
    Session s;
    s.Run(1);
    std::vector<std::string> block = s.Send("@SIO\r\n");
    block.erase(block.begin());
    const std::size_t dataLines = block.size() - 1;
    auto upload = [&](const std::vector<std::string>& lines) {
        s.Send("@SII\r\n");
        std::string payload;
        for (const std::string& line : lines) {
            payload += line + "\r\n";
        }
        const std::vector<std::string> r = s.Send(payload);
        return r.empty() ? std::string() : r.back();
    };
    std::vector<std::string> badCode = block;
    badCode[0][37] = badCode[0][37] == '0' ? '1' : '0';
    EXPECT_NE(upload(badCode).find("[SII] Err check code"), std::string::npos);

    std::vector<std::string> oldWeek = block;
    oldWeek[0] = Restamp(AssistNetwork::kWcdma, block[0], s.now() - 21LL * 86'400'000);
    EXPECT_NE(upload(oldWeek).find("Err week"), std::string::npos);

    std::vector<std::string> missing = block;
    missing[2].clear();  // a line the file did not have: sent as a bare line end
    EXPECT_EQ(upload(missing).find("[SII] Err lines " + std::to_string(dataLines - 1) + " of " +
                                   std::to_string(dataLines)),
              0u);

    const std::string lowerCase = [&] {
        std::string h = block[0];
        for (char& c : h) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        return h;
    }();
    std::vector<std::string> lower = block;
    lower[0] = lowerCase;
    EXPECT_EQ(upload(lower).substr(0, 8), "[SII] OK") << "the check code compares in any case";
}

TEST(AssistDialogue, TooShortHeaderEndsTheUploadAtOnce) {
    Session s;
    s.Send("@ASI\r\n");
    const std::vector<std::string> r = s.Send("0123\r\n");
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].substr(0, 9), "[ASI] Err");
    EXPECT_FALSE(s.sim().commands().uploading());
}

}  // namespace
}  // namespace orbex::sim
