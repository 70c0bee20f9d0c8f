// The settings store on its registry-export file: first run, names without case, other value
// types, atomic replacement under concurrent writers, and an unreadable file.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <thread>
#include <vector>

#include "app_test_support.h"
#include "platform/message_box_sink.h"
#include "platform/settings_store.h"

namespace orbex {
namespace {

namespace fs = std::filesystem;

class SettingsStoreTest : public ::testing::Test {
  protected:
    test::TestHome home;
    SettingsStore store{home.storePath()};
};

TEST_F(SettingsStoreTest, FirstRunReadsFailAndFirstWriteCreatesKeyAndSection) {
    std::int32_t number = 1234;
    std::string text = "kept";
    EXPECT_FALSE(store.ReadNumber("CONFIG", "CONNECT", number));
    EXPECT_FALSE(store.ReadNumber("CONFIG", "LOGMAXSIZE", number));
    EXPECT_FALSE(store.ReadString("CONFIG", "LOGFILE", text));
    EXPECT_EQ(number, 1234) << "a failed read leaves the value untouched";
    EXPECT_EQ(text, "kept");
    EXPECT_FALSE(fs::exists(home.storePath())) << "reading creates nothing";

    ASSERT_TRUE(store.WriteNumber("CONFIG", "CONNECT", 1));
    EXPECT_EQ(home.ReadFile("ORBEX.reg"),
              "Windows Registry Editor Version 5.00\n"
              "\n[HKEY_CURRENT_USER\\Software\\VELMAR\\ORBEX]\n"
              "\n[HKEY_CURRENT_USER\\Software\\VELMAR\\ORBEX\\CONFIG]\n"
              "\"CONNECT\"=dword:00000001\n");
    ASSERT_TRUE(store.ReadNumber("CONFIG", "CONNECT", number));
    EXPECT_EQ(number, 1);
}

TEST_F(SettingsStoreTest, SectionsAndNamesCompareWithoutCaseAndKeepTheFirstCase) {
    ASSERT_TRUE(store.WriteNumber("CONFIG", "CONNECT", 1));
    ASSERT_TRUE(store.WriteNumber("Config", "COMPORT", 3));
    ASSERT_TRUE(store.WriteNumber("config", "connect", 0));

    std::int32_t number = -5;
    ASSERT_TRUE(store.ReadNumber("Config", "Connect", number));
    EXPECT_EQ(number, 0);
    ASSERT_TRUE(store.ReadNumber("CONFIG", "comport", number));
    EXPECT_EQ(number, 3);
    const std::string file = home.ReadFile("ORBEX.reg");
    EXPECT_EQ(file.find("\\Config]"), std::string::npos) << "one section, not two";
    EXPECT_NE(file.find("\"CONNECT\"=dword:00000000"), std::string::npos) << file;
    EXPECT_NE(file.find("\"COMPORT\"=dword:00000003"), std::string::npos) << file;
}

TEST_F(SettingsStoreTest, NumbersAndStringsRoundTripThroughTheFile) {
    ASSERT_TRUE(store.WriteNumber("CONFIG", "LOGMAXSIZE", -1));
    ASSERT_TRUE(store.WriteString("CONFIG", "LOGPATH", "C:\\logs\\\"new\"\\"));
    ASSERT_TRUE(store.WriteString("MDUMP", "FILEPATH", "two\nlines"));
    ASSERT_TRUE(store.WriteString("CONFIG", "LOGFILE", ""));
    EXPECT_FALSE(store.WriteString("CONFIG", "LOGFILE", nullptr));

    SettingsStore again(home.storePath());  // nothing is cached: a second store reads the file
    std::int32_t number = 0;
    std::string text;
    ASSERT_TRUE(again.ReadNumber("CONFIG", "LOGMAXSIZE", number));
    EXPECT_EQ(number, -1);
    ASSERT_TRUE(again.ReadString("CONFIG", "LOGPATH", text));
    EXPECT_EQ(text, "C:\\logs\\\"new\"\\");
    ASSERT_TRUE(again.ReadString("MDUMP", "FILEPATH", text));
    EXPECT_EQ(text, "two\nlines");
    ASSERT_TRUE(again.ReadString("CONFIG", "LOGFILE", text));
    EXPECT_EQ(text, "");
}

TEST_F(SettingsStoreTest, OtherValueTypesAreReadAsRawBytes) {
    home.WriteFile("ORBEX.reg",
                   "Windows Registry Editor Version 5.00\r\n\r\n"
                   "; written by hand\r\n"
                   "[HKEY_CURRENT_USER\\Software\\VELMAR\\ORBEX\\CONFIG]\r\n"
                   "\"LOGMAXSIZE\"=hex:e8,03,00,00,ff\r\n"
                   "\"LOGON\"=\"ABC\"\r\n"
                   "\"SHORT\"=hex:01,02\r\n"
                   "\"TERMLINES\"=hex(b):10,27,00,00,\\\r\n"
                   "  00,00,00,00\r\n"
                   "\"LOGFILE\"=dword:00434241\r\n");
    std::int32_t number = 0;
    ASSERT_TRUE(store.ReadNumber("CONFIG", "LOGMAXSIZE", number));
    EXPECT_EQ(number, 1000) << "the first 4 bytes of a binary value";
    ASSERT_TRUE(store.ReadNumber("CONFIG", "LOGON", number));
    EXPECT_EQ(number, 0x00434241) << "\"ABC\" and its NUL";
    number = 7;
    EXPECT_FALSE(store.ReadNumber("CONFIG", "SHORT", number)) << "fewer than 4 bytes";
    EXPECT_EQ(number, 7);
    ASSERT_TRUE(store.ReadNumber("CONFIG", "TERMLINES", number)) << "continued hex list";
    EXPECT_EQ(number, 10000);
    std::string text;
    ASSERT_TRUE(store.ReadString("CONFIG", "LOGFILE", text));
    EXPECT_EQ(text, "ABC");

    // A write keeps the foreign values byte for byte.
    ASSERT_TRUE(store.WriteNumber("CONFIG", "CONNECT", 1));
    ASSERT_TRUE(store.ReadNumber("CONFIG", "TERMLINES", number));
    EXPECT_EQ(number, 10000);
    EXPECT_NE(home.ReadFile("ORBEX.reg").find("\"SHORT\"=hex:01,02"), std::string::npos);
}

TEST_F(SettingsStoreTest, ReadsUtf16ExportsOfTheRegistryEditor) {
    const std::string text =
        "Windows Registry Editor Version 5.00\r\n\r\n"
        "[HKEY_CURRENT_USER\\Software\\VELMAR\\ORBEX\\Config]\r\n\"SPEED\"=dword:0000000c\r\n";
    std::string utf16 = "\xFF\xFE";
    for (char c : text) {
        utf16 += c;
        utf16 += '\0';
    }
    home.WriteFile("ORBEX.reg", utf16);
    std::int32_t number = 0;
    ASSERT_TRUE(store.ReadNumber("CONFIG", "speed", number));
    EXPECT_EQ(number, 12);
}

TEST_F(SettingsStoreTest, ConcurrentWritersLoseNothingAndReadersNeverSeeAHalfFile) {
    MessageBoxSink messages;
    constexpr int kWriters = 4;
    constexpr int kWrites = 10;
    std::atomic<bool> stop{false};
    std::atomic<int> unreadable{0};
    std::thread reader([&] {
        SettingsStore mine(home.storePath());
        bool everSeen = false;
        while (!stop) {
            // Once W0 is written it must never vanish from a reader's view of the file.
            std::int32_t value = 0;
            const bool seen = mine.ReadNumber("CONFIG", "W0", value);
            unreadable += everSeen && !seen ? 1 : 0;
            everSeen = everSeen || seen;
        }
    });
    std::vector<std::thread> writers;
    for (int w = 0; w < kWriters; ++w) {
        writers.emplace_back([&, w] {
            SettingsStore mine(home.storePath());
            for (int i = 0; i < kWrites; ++i) {
                mine.WriteNumber("CONFIG", "W" + std::to_string(w), i);
                mine.WriteNumber("TTFFMode", "N" + std::to_string(w) + "_" + std::to_string(i), i);
            }
        });
    }
    for (auto& t : writers) {
        t.join();
    }
    stop = true;
    reader.join();

    EXPECT_EQ(unreadable, 0);
    EXPECT_TRUE(messages.Texts().empty());
    for (int w = 0; w < kWriters; ++w) {
        std::int32_t value = -1;
        ASSERT_TRUE(store.ReadNumber("CONFIG", "W" + std::to_string(w), value));
        EXPECT_EQ(value, kWrites - 1);
        for (int i = 0; i < kWrites; ++i) {
            EXPECT_TRUE(store.ReadNumber("TTFFMode",
                                         "N" + std::to_string(w) + "_" + std::to_string(i), value));
        }
    }
    for (const auto& entry : fs::directory_iterator(fs::path(home.storePath()).parent_path())) {
        EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos)
            << "temporary file left behind: " << entry.path();
    }
}

TEST_F(SettingsStoreTest, UnreadableLinesAreSkippedSilentlyAndKeptWhenTheFileIsRewritten) {
    MessageBoxSink messages;
    const std::string broken =
        "Windows Registry Editor Version 5.00\n\n"
        "[HKEY_CURRENT_USER\\Software\\VELMAR\\ORBEX\\CONFIG]\n"
        "\"CONNECT\"=dword:0000zz01\n"
        "\"LOGON\"=dword:00000001\n"
        "[HKEY_CURRENT_USER\\Software\\VELMAR\\ORBEX\\COMPORT\n"
        "\"SPEED\"=dword:00000005\n"
        "[HKEY_CURRENT_USER\\Software\\VELMAR\\ORBEX\\CONSOLE]\n"
        "\"TERMLINES\"=dword:000003e8\n";
    home.WriteFile("ORBEX.reg", broken);

    std::int32_t number = 42;
    EXPECT_FALSE(store.ReadNumber("CONFIG", "CONNECT", number));
    EXPECT_EQ(number, 42);
    ASSERT_TRUE(store.ReadNumber("CONFIG", "LOGON", number));
    EXPECT_EQ(number, 1);
    EXPECT_FALSE(store.ReadNumber("COMPORT", "SPEED", number));
    ASSERT_TRUE(store.ReadNumber("CONSOLE", "TERMLINES", number));
    EXPECT_EQ(number, 1000);

    ASSERT_TRUE(store.WriteNumber("CONFIG", "CONNECT", 1));
    const std::string rewritten = home.ReadFile(home.storePath());
    for (const char* kept :
         {"\"CONNECT\"=dword:0000zz01", "ORBEX\\COMPORT\n\"SPEED\"=dword:00000005"}) {
        EXPECT_NE(rewritten.find(kept), std::string::npos) << kept << " lost:\n" << rewritten;
    }
    ASSERT_TRUE(store.ReadNumber("CONFIG", "CONNECT", number));
    EXPECT_EQ(number, 1);
    EXPECT_TRUE(messages.Texts().empty());
    EXPECT_EQ(std::distance(fs::directory_iterator(fs::path(home.storePath()).parent_path()),
                            fs::directory_iterator{}),
              2)
        << "only the store and its lock file";
}

TEST_F(SettingsStoreTest, AFileWithoutTheHeaderKeepsItsLinesAndGainsOne) {
    MessageBoxSink messages;
    home.WriteFile(
        "ORBEX.reg",
        "not a registry "
        "file\n[HKEY_CURRENT_USER\\Software\\VELMAR\\ORBEX\\CONFIG]\n\"LOGON\"=dword:00000001\n");
    ASSERT_TRUE(store.WriteNumber("CONFIG", "CONNECT", 1));
    std::int32_t number = 0;
    ASSERT_TRUE(store.ReadNumber("CONFIG", "LOGON", number));
    const std::string rewritten = home.ReadFile(home.storePath());
    EXPECT_EQ(rewritten.rfind("Windows Registry Editor Version 5.00\nnot a registry file\n", 0), 0u)
        << rewritten;
    EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(SettingsStoreTest, WithoutAPathEveryOperationFails) {
    SettingsStore none{std::string()};
    std::int32_t number = 0;
    std::string text;
    EXPECT_FALSE(none.WriteNumber("CONFIG", "CONNECT", 1));
    EXPECT_FALSE(none.WriteString("CONFIG", "LOGFILE", "x"));
    EXPECT_FALSE(none.ReadNumber("CONFIG", "CONNECT", number));
    EXPECT_FALSE(none.ReadString("CONFIG", "LOGFILE", text));
}

// A disk that fills while the store is rewritten, and a store whose folder cannot be made:
// writes fail, nothing is shown, and the file on disk keeps every value it held.
TEST_F(SettingsStoreTest, AWriteThatCannotBeStoredLeavesTheFileAsItWas) {
    ASSERT_TRUE(store.WriteString("CONFIG", "LOGPATH", "/home/user/logs/"));
    ASSERT_TRUE(store.WriteNumber("CONFIG", "CONNECT", 1));
    const std::string before = home.ReadFile("ORBEX.reg");
    MessageBoxSink messages;
    {
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved;
        limit.rlim_cur = before.size();  // the rewritten file no longer fits
        setrlimit(RLIMIT_FSIZE, &limit);
        const bool written = store.WriteString("CONFIG", "LOGFILE", "a much longer name.DAT");
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);
        EXPECT_FALSE(written);
    }
    EXPECT_EQ(home.ReadFile("ORBEX.reg"), before);
    std::int32_t connect = 0;
    EXPECT_TRUE(store.ReadNumber("CONFIG", "CONNECT", connect));
    EXPECT_EQ(connect, 1);

    home.WriteFile("not-a-folder", "x");
    SettingsStore blocked{home.path("not-a-folder/ORBEX.reg")};
    EXPECT_FALSE(blocked.WriteNumber("CONFIG", "CONNECT", 1));
    EXPECT_FALSE(blocked.ReadNumber("CONFIG", "CONNECT", connect));
    EXPECT_TRUE(messages.Texts().empty());
}

}  // namespace
}  // namespace orbex
