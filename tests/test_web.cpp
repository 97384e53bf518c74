// The one HTTP fetch, against a tiny server on this machine.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <chrono>
#include <cstring>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

#include "test_support.h"
#include "VellHooks.h"

namespace {

// Serves one connection on a free loopback port: reads the request, then
// sends the reply (or nothing at all when silent) and closes.
class OneShotServer {
public:
    OneShotServer(std::string reply, bool silent) : reply_(std::move(reply)), silent_(silent) {
        listen_ = socket(AF_INET, SOCK_STREAM, 0);
        int yes = 1;
        setsockopt(listen_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        addr.sin_port = 0;
        bind(listen_, (sockaddr*)&addr, sizeof addr);
        socklen_t len = sizeof addr;
        getsockname(listen_, (sockaddr*)&addr, &len);
        port_ = ntohs(addr.sin_port);
        listen(listen_, 1);
        thread_ = std::thread([this] { Serve(); });
    }
    ~OneShotServer() {
        thread_.join();
        close(listen_);
    }
    int Port() const { return port_; }
    std::string request;

private:
    void Serve() {
        int c = accept(listen_, nullptr, nullptr);
        if (c < 0) return;
        char buf[2048];
        ssize_t n = recv(c, buf, sizeof buf, 0);
        if (n > 0) request.assign(buf, (size_t)n);
        if (silent_) {
            // Hold the line open well past the client's patience.
            std::this_thread::sleep_for(std::chrono::seconds(5));
        } else {
            send(c, reply_.data(), reply_.size(), MSG_NOSIGNAL);
        }
        close(c);
    }
    std::string reply_;
    bool silent_;
    int listen_ = -1;
    int port_ = 0;
    std::thread thread_;
};

TEST(Web, ExtractsTheMarkedSectionAndDropsOtherBytes) {
    OneShotServer server("HTTP/1.1 200 OK\r\n\r\nxx[-\r\nData-]Hel\xc3\xa9lo\x01 there[-\r\nEnd-]yy", false);
    URLPort = server.Port();
    ASys.WebReply = "stale";
    char* got = ThisGame.GetURL("127.0.0.1", "score.php?", "a b&c");
    URLPort = 80;
    EXPECT_EQ(ASys.WebReply, "Hello there");
    EXPECT_STREQ(got, "Hello there");
    EXPECT_NE(server.request.find("GET /score.php?a*!U!*b*!A!*c HTTP/1.1\r\nHost: 127.0.0.1\r\n"), std::string::npos)
        << server.request;
}

TEST(Web, SilentServerTimesOutInsteadOfFreezing) {
    OneShotServer server("", true);
    URLPort = server.Port();
    auto start = std::chrono::steady_clock::now();
    ASys.URLData("127.0.0.1", "slow");
    auto waited = std::chrono::steady_clock::now() - start;
    URLPort = 80;
    EXPECT_LT(waited, std::chrono::seconds(6));
    EXPECT_EQ(ASys.WebReply, "");
}

TEST(Web, UnknownHostLeavesTheReplyAlone) {
    ASys.WebReply = "previous";
    ASys.URLData("no-such-host.invalid", "x");
    EXPECT_EQ(ASys.WebReply, "previous");
}

}  // namespace
