#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "tests/support/u16.h"
#include "update/http_limits.h"
#include "update/http_request.h"
#include "update/http_response.h"
#include "update/http_target.h"
#include "update/version_text.h"

namespace {

// The response buffer as the reader fills it: pieces appended at the end of
// what was received, judged after each one.
struct Reading {
    std::array<char, kHttpResponseBytes> buffer{};
    std::size_t received = 0;
    ResponseReading state;
    ResponseProgress progress = ResponseProgress::kMore;

    void Receive(std::string_view piece) {
        const std::size_t room = buffer.size() - 1 - received;
        piece = piece.substr(0, room);
        std::copy(piece.begin(), piece.end(),
                  buffer.begin() + static_cast<std::ptrdiff_t>(received));
        received += piece.size();
        progress = EvaluateResponse(buffer.data(), received, state);
    }
    std::string_view Response() const { return {buffer.data(), received}; }
};

constexpr std::string_view kHeaderOk = "HTTP/1.1 200 OK\r\nServer: test\r\n";

std::string Plain(std::string_view body) {
    return std::string(kHeaderOk) + "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" +
           std::string(body);
}

TEST(HttpRequest, SendsItsLinesInOrderAndTheJarOnlyWhenItHoldsCookies) {
    EXPECT_EQ(
        BuildGetRequest("/download/Camfolio.latest", "www.camfolio.example", "Camfolio 4.1.0.265",
                        ""),
        "GET /download/Camfolio.latest HTTP/1.1\r\nHost: www.camfolio.example\r\n"
        "User-Agent: Camfolio 4.1.0.265\r\nKeep-Alive: 300\r\nConnection: Keep-Alive\r\n\r\n");
    const auto withJar = BuildGetRequest("/", "h", "a", "a=1; b=2");
    ASSERT_TRUE(withJar);
    EXPECT_NE(withJar->find("Connection: Keep-Alive\r\nCookie: a=1; b=2\r\n\r\n"),
              std::string::npos);
    EXPECT_FALSE(BuildGetRequest(std::string(kHttpRequestBytes, 'p'), "h", "a", ""));
    EXPECT_EQ(UserAgent(), "Camfolio 4.1.0.265");
}

TEST(HttpResponse, EndsAtTheContentLengthWhetherItArrivesAtOnceOrInPieces) {
    const std::string response = Plain("4.1.0.270\r\n");
    for (std::size_t split = 1; split < response.size(); ++split) {
        Reading reading;
        reading.Receive(std::string_view(response).substr(0, split));
        EXPECT_EQ(reading.progress, ResponseProgress::kMore) << split;
        reading.Receive(std::string_view(response).substr(split));
        EXPECT_EQ(reading.progress, ResponseProgress::kComplete) << split;
        EXPECT_EQ(ResponseBody(reading.Response()), "4.1.0.270\r\n");
    }
}

TEST(HttpResponse, RefusesStatusesItDoesNotFollow) {
    const struct {
        std::string_view first;
        ResponseProgress progress;
    } cases[] = {
        {"HTTP/1.1 404 Not Found\r\n", ResponseProgress::kRefused},
        {"HTTP/1.1 303 See Other\r\n", ResponseProgress::kRefused},
        {"garbage\r\n", ResponseProgress::kRefused},
        {"HTTP/1.1 302 Found\r\n", ResponseProgress::kMore},
        {"HTTP/1.1 100 Continue\r\n", ResponseProgress::kMore},
        // No whole line in the first piece: the status is not checked.
        {"HTTP/1.1 404", ResponseProgress::kMore},
    };
    for (const auto& c : cases) {
        Reading reading;
        reading.Receive(c.first);
        EXPECT_EQ(reading.progress, c.progress) << c.first;
    }
}

TEST(HttpResponse, ChunksSplitAtAnyByteGiveTheContentLengthBody) {
    const std::string body = "4.1.0.270\r\n<p>notes</p>";
    const std::vector<std::string> chunked = {
        std::string(kHeaderOk) +
            "Transfer-Encoding: "
            "chunked\r\n\r\n4\r\n4.1.\r\nc\r\n0.270\r\n<p>no\r\n7\r\ntes</p>\r\n0\r\n\r\n",
        // Upper-case digits, a chunk extension and a trailer.
        std::string(kHeaderOk) +
            "Transfer-Encoding: "
            "chunked\r\n\r\n00B;name=v\r\n4.1.0.270\r\n\r\nC\r\n<p>notes</p>\r\n0\r\n"
            "X-Trailer: 1\r\n\r\n",
    };
    for (const std::string& response : chunked) {
        for (std::size_t split = 1; split < response.size(); ++split) {
            Reading reading;
            reading.Receive(std::string_view(response).substr(0, split));
            reading.Receive(std::string_view(response).substr(split));
            EXPECT_EQ(reading.progress, ResponseProgress::kComplete) << split;
            EXPECT_EQ(ResponseBody(reading.Response()), body) << split;
        }
        Reading byByte;
        for (const char c : response) {
            ASSERT_NE(byByte.progress, ResponseProgress::kComplete) << "ended early";
            byByte.Receive(std::string_view(&c, 1));
        }
        EXPECT_EQ(byByte.progress, ResponseProgress::kComplete);
        EXPECT_EQ(ResponseBody(byByte.Response()), body);
    }
}

TEST(HttpResponse, KeepsTheCookiesTheServerSets) {
    const struct {
        const char* what;
        std::string jar;
        std::string headers;
        std::string expected;
    } cases[] = {
        {"two cookies joined", "", "Set-Cookie: a=1; Path=/\r\nSet-Cookie: b=2\r\n", "a=1; b=2"},
        {"Max-Age=0 adds nothing", "", "Set-Cookie: a=1; max-age=0\r\n", ""},
        {"a cookie replaced, the others kept", "a=1; b=2; c=3", "Set-Cookie: b=9\r\n",
         "a=1; b=9; c=3"},
        {"a name inside another is not it", "xb=1", "Set-Cookie: b=2\r\n", "xb=1; b=2"},
        {"the jar is cut at 199", "", "Set-Cookie: a=" + std::string(300, 'v') + "\r\n",
         "a=" + std::string(197, 'v')},
        {"only the header block counts", "", "\r\nSet-Cookie: body=1\r\n", ""},
    };
    for (const auto& c : cases) {
        std::string jar = c.jar;
        UpdateCookieJar(jar, std::string(kHeaderOk) + c.headers + "\r\n");
        EXPECT_EQ(jar, c.expected) << c.what;
    }
}

TEST(HttpTarget, FollowsLocationsInEveryForm) {
    const HttpTarget start{"www.camfolio.example", "/download/Camfolio.latest", 80};
    const struct {
        const char* location;
        TargetMove move;
        HttpTarget expected;
    } cases[] = {
        {"http://mirror.example:8080/x/y.txt",
         TargetMove::kNewServer,
         {"mirror.example", "/x/y.txt", 8080}},
        {"http://mirror.example/x/y.txt",
         TargetMove::kNewServer,
         {"mirror.example", "/x/y.txt", 80}},
        {"http://WWW.camfolio.example/z",
         TargetMove::kSameServer,
         {"WWW.camfolio.example", "/z", 80}},
        {"http://www.camfolio.example:81",
         TargetMove::kNewServer,
         {"www.camfolio.example", "/", 81}},
        {"/other/file.txt",
         TargetMove::kSameServer,
         {"www.camfolio.example", "/other/file.txt", 80}},
        {"y2.txt", TargetMove::kSameServer, {"www.camfolio.example", "/download/y2.txt", 80}},
    };
    for (const auto& c : cases) {
        HttpTarget target = start;
        const std::string response =
            "HTTP/1.1 302 Found\r\nLocation: " + std::string(c.location) + "\r\n\r\n";
        EXPECT_EQ(FollowLocation(target, response), c.move) << c.location;
        EXPECT_EQ(target.host, c.expected.host) << c.location;
        EXPECT_EQ(target.path, c.expected.path) << c.location;
        EXPECT_EQ(target.port, c.expected.port) << c.location;
    }
    HttpTarget target = start;
    EXPECT_EQ(FollowLocation(target, "HTTP/1.1 302 Found\r\n\r\nLocation: /body"),
              TargetMove::kNone);
    EXPECT_EQ(target.path, start.path);
}

TEST(HttpTarget, FindsTheMetaRefreshOfABody) {
    const auto refresh = ParseMetaRefresh(
        "<html><META HTTP-EQUIV=\"Refresh\" content=\"0; URL=http://host2/latest.txt\"></html>");
    ASSERT_TRUE(refresh);
    EXPECT_EQ(refresh->host, "host2");
    EXPECT_EQ(refresh->path, "/latest.txt");
    EXPECT_EQ(refresh->port, 80);
    const auto withPort =
        ParseMetaRefresh("<meta http-equiv=\"refresh\" content=\"0;url=localhost:8123\">");
    ASSERT_TRUE(withPort);
    EXPECT_EQ(withPort->host, "localhost");
    EXPECT_EQ(withPort->path, "/");
    EXPECT_EQ(withPort->port, 8123);
    EXPECT_FALSE(ParseMetaRefresh("4.1.0.270\r\n"));
    EXPECT_FALSE(ParseMetaRefresh("<meta http-equiv=\"refresh\" content=\"0\">"));
    EXPECT_FALSE(ParseMetaRefresh("<meta http-equiv=\"refresh\" content=\"0;url=x"));
}

TEST(VersionText, OnlyTheBuildNumberDecides) {
    const struct {
        std::string_view text;
        bool parsed;
        bool newer;
    } cases[] = {
        {"4.1.0.265", true, false},         {"4.1.0.265\r\n", true, false},
        {"9.9.9.100", true, false},         {"4.1.0.266", true, true},
        {"4.2.0.270 beta\n", true, true},   {"4.1.0", false, false},
        {"<html>404</html>", false, false}, {"", false, false},
    };
    for (const auto& c : cases) {
        const auto version = ParseVersionText(c.text);
        ASSERT_EQ(version.has_value(), c.parsed) << c.text;
        if (version) {
            EXPECT_EQ(IsNewerThanOwn(*version), c.newer) << c.text;
        }
    }
}

TEST(VersionText, TellsTheUserInTheCataloguesWords) {
    EXPECT_EQ(Narrow(AlreadyLatestMessage()),
              "You already have the latest version of the Camfolio installed.");
    EXPECT_EQ(
        Narrow(NewVersionQuestion({4, 2, 0, 270})),
        "There is a new version of the Camfolio available.\n\nYour version:\t4.1 (build 265)\n"
        "Latest version:\t4.2 (build 270)\n\nWould you like to visit the Camfolio website now?");
}

}  // namespace
