// The network kinds of link and the receiver session: the Telnet/RFC 2217 negotiation as plain
// state, port names, a TCP link against a listening socket on 127.0.0.1 that goes away and
// comes back, and a session over a scripted link.
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "link/com_port_negotiation.h"
#include "link/network_address.h"
#include "link/receiver_session.h"
#include "link/scripted_link.h"
#include "link/tcp_link.h"
#include "platform/unique_fd.h"
#include "platform/window_messages.h"
#include "tests/link/link_test_support.h"

namespace orbex {
namespace {

using std::chrono::milliseconds;
using namespace telnet;

std::string Bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) {
        out.push_back(static_cast<char>(v));
    }
    return out;
}

// Feeds `server` in chunks of `chunk` bytes; returns the data bytes.
std::string Feed(ComPortNegotiation& negotiation, std::string server, std::size_t chunk,
                 std::string& replies) {
    std::string data;
    for (std::size_t at = 0; at < server.size(); at += chunk) {
        std::string part = server.substr(at, chunk);
        data.append(part.data(), negotiation.Take(part.data(), part.size(), replies));
    }
    return data;
}

TEST(ComPortNegotiationTest, AgreesToItsOptionsRefusesOthersAndPassesDataUnchanged) {
    // DO COM-PORT, WILL BINARY, DO ECHO (refused), WILL ECHO (refused), data with IAC IAC and
    // a CR, a 65-byte subnegotiation (dropped), acks for speed and flow, a line-state notice.
    std::string server =
        Bytes({kIac, kDo, kComPortOption, kIac, kWill, kBinary, kIac, kDo, 1, kIac, kWill, 1});
    server += "$GP" + Bytes({kIac, kIac}) + "\r\n";
    server += Bytes({kIac, kSb}) + std::string(65, 'x') + Bytes({kIac, kSe});
    server += Bytes({kIac, kSb, kComPortOption, 101, 0, 0, 0x25, 0x80, kIac, kSe});
    server += Bytes({kIac, kSb, kComPortOption, 105, 1, kIac, kSe});
    server += Bytes({kIac, kSb, kComPortOption, 106, 0x60, kIac, kSe, kIac, 241});
    server += "end";
    for (std::size_t chunk : {server.size(), std::size_t{1}, std::size_t{3}}) {
        ComPortNegotiation negotiation;
        std::string replies;
        EXPECT_EQ(Feed(negotiation, server, chunk, replies), "$GP\xFF\r\nend") << chunk;
        EXPECT_EQ(replies, Bytes({kIac, kWont, 1, kIac, kDont, 1}));
        EXPECT_EQ(negotiation.comPort(), ComPortNegotiation::ComPort::Accepted);
        EXPECT_EQ(negotiation.AcknowledgedMask(), (1u << 1) | (1u << 5));
        EXPECT_EQ(negotiation.Held(), 0u);
    }
    ComPortNegotiation refused;
    std::string replies;
    std::string dont = Bytes({kIac, kDont, kComPortOption});
    refused.Take(dont.data(), dont.size(), replies);
    EXPECT_EQ(refused.comPort(), ComPortNegotiation::ComPort::Refused);
}

TEST(ComPortNegotiationTest, SettingsCommandsAndEscaping) {
    SerialParameters parameters;
    parameters.baudRate = 0x0000FF00;  // a 0xFF in the value is doubled
    parameters.dataBits = 7;
    parameters.parity = SerialParity::Even;
    parameters.stopBits = SerialStopBits::Two;
    parameters.rtsCts = true;
    const std::string expected =
        Bytes({kIac, kSb, kComPortOption, 1, 0, 0, 0xFF, 0xFF, 0, kIac, kSe}) +
        Bytes({kIac, kSb, kComPortOption, 2, 7, kIac, kSe}) +
        Bytes({kIac, kSb, kComPortOption, 3, 3, kIac, kSe}) +
        Bytes({kIac, kSb, kComPortOption, 4, 2, kIac, kSe}) +
        Bytes({kIac, kSb, kComPortOption, 5, 3, kIac, kSe}) +
        Bytes({kIac, kSb, kComPortOption, 5, 8, kIac, kSe});
    EXPECT_EQ(ComPortNegotiation::SettingsCommands(parameters), expected);
    const std::string record = "a\xFF\r\n";
    EXPECT_EQ(ComPortNegotiation::Escape(record.data(), record.size()), "a\xFF\xFF\r\n");
}

TEST(NetworkAddressTest, NamesAndTheirMistakes) {
    std::string error;
    auto tcp = ParseNetworkAddress("tcp://127.0.0.1:3001", error);
    ASSERT_TRUE(tcp);
    EXPECT_EQ(tcp->kind, NetworkAddress::Kind::Tcp);
    EXPECT_EQ(tcp->host, "127.0.0.1");
    EXPECT_EQ(tcp->port, 3001);
    auto v6 = ParseNetworkAddress("rfc2217://[::1]:7000", error);
    ASSERT_TRUE(v6);
    EXPECT_EQ(v6->host, "::1");
    EXPECT_EQ(v6->Text(), "rfc2217://[::1]:7000");
    for (const char* bad : {"tcp://host", "tcp://:80", "tcp://h:0", "tcp://h:65536", "tcp://h:8x",
                            "tcp://a/b:1", "udp://h:1"}) {
        error.clear();
        EXPECT_FALSE(ParseNetworkAddress(bad, error)) << bad;
        EXPECT_FALSE(error.empty()) << bad;
    }
    EXPECT_TRUE(IsNetworkPortName("tcp://x"));
    EXPECT_FALSE(IsNetworkPortName("/dev/ttyS0"));
}

// A listening socket on 127.0.0.1 that accepts one connection at a time.
class LocalServer {
  public:
    LocalServer() { Listen(0); }
    void Listen(std::uint16_t port) {
        listener_.Reset(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
        const int on = 1;
        ::setsockopt(listener_.Get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(port);
        ::bind(listener_.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(listener_.Get(), 1);
        socklen_t length = sizeof address;
        ::getsockname(listener_.Get(), reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
    }
    void Accept() { client_.Reset(::accept4(listener_.Get(), nullptr, nullptr, SOCK_CLOEXEC)); }
    void Send(const std::string& bytes) { ::send(client_.Get(), bytes.data(), bytes.size(), 0); }
    void Stop() {
        client_.Reset();
        listener_.Reset();
    }
    std::uint16_t port() const { return port_; }

  private:
    UniqueFd listener_;
    UniqueFd client_;
    std::uint16_t port_ = 0;
};

std::vector<std::string> Take(ReceiverSession& session, std::size_t count) {
    std::vector<std::string> lines;
    std::string line;
    for (int i = 0; i < 600 && lines.size() < count; ++i) {  // at most 3 s
        if (session.Pop(line)) {
            lines.push_back(line);
        } else {
            std::this_thread::sleep_for(milliseconds(5));
        }
    }
    return lines;
}

TEST(TcpLinkTest, FramesAsASerialPortAndComesBackAfterTheServerRestarts) {
    testing::MessageSink messages;
    testing::RecordingOwner owner;
    LocalServer server;
    ReceiverSession session;
    const std::string name = "tcp://127.0.0.1:" + std::to_string(server.port());
    ASSERT_TRUE(session.Open(owner.Post(), PortSettings{}, name));
    server.Accept();
    EXPECT_EQ(session.Status().state, LinkStatus::State::Connected);
    EXPECT_EQ(session.Status().target, name);
    server.Send("$GPGGA,1\r\nbad\x01\r\n\xFF\xDA");
    EXPECT_EQ(Take(session, 2), (std::vector<std::string>{"$GPGGA,1\r\n", "\xFF\xDA"}));

    const std::uint16_t port = server.port();
    server.Stop();  // the server goes away: reported once, then tried every 500 ms
    for (int i = 0; i < 60 && session.Status().state != LinkStatus::State::Lost; ++i) {
        std::this_thread::sleep_for(milliseconds(50));
    }
    EXPECT_EQ(session.Status().state, LinkStatus::State::Lost);
    EXPECT_FALSE(session.WriteLine("@SW"));
    server.Listen(port);
    server.Accept();
    for (int i = 0; i < 60 && session.Status().state != LinkStatus::State::Connected; ++i) {
        std::this_thread::sleep_for(milliseconds(50));
    }
    server.Send("again\r\n");
    EXPECT_EQ(Take(session, 1), std::vector<std::string>{"again\r\n"});
    const std::vector<std::string> texts = messages.Texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0], "Communication Error " + std::to_string(ECONNRESET));
    session.Close();
}

TEST(TcpLinkTest, AnAddressThatCannotBeReachedFailsAsAPortThatCannotBeOpened) {
    std::vector<std::string> reports;
    LocalServer server;
    const std::uint16_t port = server.port();
    server.Stop();
    ReceiverSession session;
    session.SetErrorReport(
        [&reports](const std::string& text, MessageIcon) { reports.push_back(text); });
    EXPECT_FALSE(session.Open(nullptr, PortSettings{}, "tcp://127.0.0.1:" + std::to_string(port)));
    EXPECT_FALSE(session.IsOpen());
    EXPECT_EQ(reports, std::vector<std::string>{"COM Port Initialization Error\nError Code:" +
                                                std::to_string(ECONNREFUSED)});
    EXPECT_FALSE(session.Open(nullptr, PortSettings{}, "tcp://127.0.0.1:99999"));
    EXPECT_EQ(reports.size(), 2u);
}

TEST(ReceiverSessionTest, WorkersSendThroughTheOwnerAndLinesCanBeForwarded) {
    testing::MessageSink messages;
    std::vector<std::string> forwarded;
    std::mutex mutex;
    ReceiverSession session;
    session.ForwardLines([&](const std::string& line) {
        std::lock_guard lock(mutex);
        forwarded.push_back(line);
    });
    Event sendWaiting(Event::Reset::Auto);
    auto scripted = std::make_unique<ScriptedLink>(session.queue());
    ScriptedLink& link = *scripted;
    PortSettings settings;
    settings.speed = 12;
    ASSERT_TRUE(session.Open(
        std::move(scripted),
        [&](unsigned message, std::uintptr_t, std::intptr_t) {
            if (message == UWM_SENDS_QUEUED) {
                sendWaiting.Set();
            }
        },
        settings));
    EXPECT_EQ(link.Configured().baudRate, 115200u);
    std::thread worker([&session] { session.SendFromWorker("@CD\r\n"); });
    ASSERT_TRUE(sendWaiting.Wait(milliseconds(3000)));
    session.ServeSends();
    worker.join();
    EXPECT_EQ(link.Written(), "@CD\r\n");

    link.Feed("one\r\ntwo\r\n");
    for (int i = 0; i < 300; ++i) {
        std::lock_guard lock(mutex);
        if (forwarded.size() == 2) {
            break;
        }
        std::this_thread::sleep_for(milliseconds(10));
    }
    session.Close();
    EXPECT_EQ(forwarded, (std::vector<std::string>{"one\r\n", "two\r\n"}));
    EXPECT_EQ(session.Status().state, LinkStatus::State::Closed);
    // After the end, a worker's send returns at once.
    session.CloseSends();
    session.SendFromWorker("@SW\r\n");
}

}  // namespace
}  // namespace orbex
