// The status page's server on the loopback: what each request gets back.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <nlohmann/json.hpp>

#include "status/StatusServer.h"

namespace qv::test {
namespace {

StatusSnapshot Snapshot(const std::string& path = {}) {
    StatusSnapshot s;
    s.program = "qv";
    s.path = path;
    s.capture.readings.counters = CounterReadings{7012, 4980, 3, 1, 0, 0};
    return s;
}

// What a raw request gets: the whole answer, as the socket gave it.
std::string RawRequest(int port, const std::string& request) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::string answer;
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        send(fd, request.data(), request.size(), 0) == static_cast<ssize_t>(request.size())) {
        char buffer[4096];
        for (ssize_t n; (n = recv(fd, buffer, sizeof buffer, 0)) > 0;) {
            answer.append(buffer, static_cast<std::size_t>(n));
        }
    }
    close(fd);
    return answer;
}

std::string StatusLine(const std::string& answer) {
    return answer.substr(0, answer.find("\r\n"));
}

class StatusServerTest : public ::testing::Test {
protected:
    void Start(StatusOptions options = {}) {
        if (!options.port) {
            options.port = 0;
        }
        std::string message;
        ASSERT_TRUE(server.Start(options, message)) << message;
        EXPECT_EQ(message,
                  "status page at http://127.0.0.1:" + std::to_string(server.Port()) + "/");
        client = std::make_unique<httplib::Client>("127.0.0.1", server.Port());
        client->set_connection_timeout(5);
        client->set_read_timeout(5);
    }
    int Status(const std::string& path) {
        const auto res = client->Get(path.c_str());
        return res ? res->status : -1;
    }

    StatusBoard board;
    StatusServer server{board, "qv"};
    std::unique_ptr<httplib::Client> client;
};

TEST_F(StatusServerTest, EachPathGivesItsAnswerAndNothingElseIsThere) {
    Start();
    auto res = client->Get("/status.json");
    ASSERT_TRUE(res);
    EXPECT_EQ(nlohmann::json::parse(res->body)["sequence"], 0);
    EXPECT_EQ(Status("/view.png"), 404);  // no capture yet
    board.Publish(Snapshot());
    res = client->Get("/status.json");
    ASSERT_TRUE(res);
    EXPECT_EQ(res->get_header_value("Content-Type"), "application/json");
    const auto j = nlohmann::json::parse(res->body);
    EXPECT_EQ(j["qv1_rate"], 7012);
    EXPECT_EQ(j["velocity_picture"], false);
    for (const char* png : {"/view.png", "/runlog.png"}) {
        res = client->Get(png);
        ASSERT_TRUE(res) << png;
        EXPECT_EQ(res->status, 200) << png;
        EXPECT_EQ(res->body.substr(1, 3), "PNG") << png;
    }
    res = client->Get("/velocity.png");
    ASSERT_TRUE(res);
    EXPECT_EQ(res->status, 404);
    EXPECT_EQ(res->body, "no calibration\n");
    EXPECT_EQ(Status("/measurement.qv"), 404);  // never saved
    for (const char* path : {"/index.html", "/status.json/", "/VIEW.PNG", "/view.png/..",
                             "/%2e%2e/etc/passwd", "/etc/passwd"}) {
        EXPECT_EQ(Status(path), 404) << path;
    }
    EXPECT_EQ(StatusLine(RawRequest(server.Port(),
                                    "GET /../../etc/passwd HTTP/1.1\r\n"
                                    "Host: x\r\n\r\n")),
              "HTTP/1.1 404 Not Found");
}

// The page must work without internet: nothing it uses may come from elsewhere.
TEST_F(StatusServerTest, ThePageIsSelfContained) {
    Start();
    const auto res = client->Get("/");
    ASSERT_TRUE(res);
    EXPECT_EQ(res->status, 200);
    EXPECT_NE(res->body.find("fetch("), std::string::npos);
    EXPECT_EQ(res->body.find("http://"), std::string::npos);
    EXPECT_EQ(res->body.find("https://"), std::string::npos);
    EXPECT_EQ(res->body.find("//cdn"), std::string::npos);
    EXPECT_EQ(res->body.find("<link"), std::string::npos);
}

TEST_F(StatusServerTest, OnlyGetAndHeadAreAnswered) {
    Start();
    auto head = client->Head("/");
    ASSERT_TRUE(head);
    EXPECT_EQ(head->status, 200);
    EXPECT_TRUE(head->body.empty());
    const auto post = client->Post("/status.json", "x", "text/plain");
    ASSERT_TRUE(post);
    EXPECT_EQ(post->status, 405);
    EXPECT_EQ(post->get_header_value("Allow"), "GET, HEAD");
    for (const char* method : {"PUT", "DELETE", "OPTIONS", "PATCH"}) {
        const std::string answer =
            RawRequest(server.Port(), std::string(method) +
                                          " /measurement.qv HTTP/1.1\r\n"
                                          "Host: x\r\nContent-Length: 0\r\n\r\n");
        EXPECT_EQ(StatusLine(answer), "HTTP/1.1 405 Method Not Allowed") << method;
    }
}

TEST_F(StatusServerTest, OverlongRequestsAreRefusedAndTheServerGoesOn) {
    Start();
    EXPECT_EQ(StatusLine(RawRequest(server.Port(), "GET /" + std::string(20000, 'a') +
                                                       " HTTP/1.1\r\nHost: x\r\n\r\n")),
              "HTTP/1.1 414 URI Too Long");
    const std::string hugeHeader = "X-Big: " + std::string(20000, 'b') + "\r\n";
    const std::string answer =
        RawRequest(server.Port(), "GET / HTTP/1.1\r\nHost: x\r\n" + hugeHeader + "\r\n");
    EXPECT_EQ(answer.find("200 OK"), std::string::npos);
    EXPECT_EQ(Status("/"), 200);
}

// A client that sends half a request and stops holds one page thread, and
// nobody else waits for it.
TEST_F(StatusServerTest, ASlowClientBlocksNobody) {
    Start();
    std::vector<int> stalled;
    for (int i = 0; i < 4; ++i) {
        const int fd = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<std::uint16_t>(server.Port()));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ASSERT_EQ(connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        const char part[] = "GET /status.json HTTP/1.1\r\nHo";
        ASSERT_GT(send(fd, part, sizeof part - 1, 0), 0);
        stalled.push_back(fd);
    }
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Status("/status.json"), 200);
    board.Publish(Snapshot());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    for (const int fd : stalled) {
        close(fd);
    }
}

TEST_F(StatusServerTest, ATokenMustComeWithEveryRequest) {
    StatusOptions options;
    options.port = 0;
    options.token = "s3cret";
    Start(options);
    EXPECT_EQ(Status("/"), 401);
    EXPECT_EQ(Status("/status.json?token=wrong"), 401);
    EXPECT_EQ(Status("/nowhere"), 401);  // nothing, not even what exists, without it
    EXPECT_EQ(Status("/status.json?token=s3cret"), 200);
    EXPECT_EQ(Status("/nowhere?token=s3cret"), 404);
    const auto post = client->Post("/?token=s3cret", "", "text/plain");
    ASSERT_TRUE(post);
    EXPECT_EQ(post->status, 405);
    client->set_bearer_token_auth("s3cret");
    EXPECT_EQ(Status("/view.png"), 404);  // let in: no capture yet
    client->set_bearer_token_auth("s3cre");
    EXPECT_EQ(Status("/"), 401);
}

TEST_F(StatusServerTest, ThePortInUseIsSaidAndNothingIsServed) {
    Start();
    StatusServer second(board, "qv");
    StatusOptions options;
    options.port = server.Port();
    std::string message;
    EXPECT_FALSE(second.Start(options, message));
    EXPECT_EQ(message, "status page not served: 127.0.0.1:" + std::to_string(server.Port()) +
                           " is already in use");
    EXPECT_EQ(Status("/"), 200);  // the first one goes on
}

TEST_F(StatusServerTest, TheDataFileIsServedAsItIsOnDisk) {
    const std::string path = ::testing::TempDir() + "status-served.qv";
    const std::string bytes("Z_uJ1S_hU9t_g4Z\0\x01\xff tail", 24);
    std::ofstream(path, std::ios::binary) << bytes;
    Start();
    board.Publish(Snapshot(path));
    const auto res = client->Get("/measurement.qv");
    ASSERT_TRUE(res);
    EXPECT_EQ(res->status, 200);
    EXPECT_EQ(res->body, bytes);
    EXPECT_EQ(res->get_header_value("Content-Disposition"),
              "attachment; filename=\"status-served.qv\"");
    std::remove(path.c_str());
}

TEST_F(StatusServerTest, TheVelocityPictureComesFromTheHookedProvider) {
    Start();
    StatusSnapshot calibrated = Snapshot();
    calibrated.calibration = analysis::Calibration{};
    board.Publish(calibrated);
    int drawn = 0;
    server.Pictures().SetVelocityProvider([&drawn](const StatusSnapshot&, RgbCanvas& canvas) {
        ++drawn;
        canvas.Clear({1, 2, 3});
        return true;
    });
    EXPECT_EQ(Status("/velocity.png"), 200);
    EXPECT_EQ(Status("/velocity.png"), 200);
    EXPECT_EQ(drawn, 1);  // once per capture, however many ask
    board.Publish(calibrated);
    EXPECT_EQ(Status("/velocity.png"), 200);
    EXPECT_EQ(drawn, 2);
    const auto j = nlohmann::json::parse(client->Get("/status.json")->body);
    EXPECT_EQ(j["velocity_picture"], true);
}

}  // namespace
}  // namespace qv::test
