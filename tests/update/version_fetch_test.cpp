// The version check's HTTP client under Wine against real servers on this
// machine: Debian's nginx and a scripted server for what nginx will not do.
#include "update/version_fetch_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "tests/support/program_run_win32.h"
#include "tests/support/test_installation_win32.h"
#include "tests/support/u16.h"
#include "tests/update/test_servers_win32.h"
#include "update/version_text.h"

namespace {

// Short enough for a test; the silent server shows that the wait ends.
constexpr HttpTimeouts kTestTimeouts{250, 1500, 200};

class VersionFetch : public ::testing::Test {
  protected:
    void SetUp() override {
        ports_ = TestServerPorts();
        ASSERT_FALSE(ports_.empty()) << "the test web servers are not running";
    }
    std::optional<std::string> Fetch(const char* server) {
        return FetchLatestVersionText(VersionFileAt(ports_.at(server)), kTestTimeouts, nullptr);
    }
    std::map<std::string, int> ports_;
};

TEST_F(VersionFetch, ReadsTheVersionFileHoweverTheServerDeliversIt) {
    const struct {
        const char* server;
        const char* text;
    } cases[] = {
        {"nginx_plain", "4.1.0.270\r\n"}, {"nginx_moved", "4.1.0.265"},  // a 302 to another port
        {"chunked", "4.1.0.272\r\n"},  // chunks split across sends
        {"refresh", "4.1.0.273\r\n"},  // a meta refresh to localhost
        {"cookies", "4.1.0.266"},      // answered only with both cookies sent back
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Fetch(c.server).value_or("(none)"), c.text) << c.server;
    }
}

TEST_F(VersionFetch, GivesNoVersionWhenTheServerHasNone) {
    // The error page is read, and is no version.
    const auto missing = Fetch("nginx_missing");
    ASSERT_TRUE(missing);
    EXPECT_NE(missing->find("404"), std::string::npos);
    EXPECT_FALSE(ParseVersionText(*missing));
    for (const char* server : {"loop", "refused", "silent"}) {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(Fetch(server)) << server;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10)) << server;
    }
}

TEST_F(VersionFetch, KeepsTheCookieNginxSets) {
    HttpConnection connection(VersionFileAt(ports_.at("nginx_plain")), UserAgent(), kTestTimeouts,
                              nullptr);
    ASSERT_TRUE(connection.Open());
    EXPECT_EQ(connection.Get(std::nullopt).value_or(""), "4.1.0.270\r\n");
    EXPECT_EQ(connection.CookieJar(), "visit=1");
    // The same connection serves the next request, now with the cookie.
    EXPECT_EQ(connection.Get(std::nullopt).value_or(""), "4.1.0.270\r\n");
}

TEST_F(VersionFetch, AStoppedCheckEndsAtOnce) {
    std::atomic<bool> stopped{false};
    std::optional<std::string> text = std::string("unset");
    const auto start = std::chrono::steady_clock::now();
    std::thread check([&] {
        text = FetchLatestVersionText(VersionFileAt(ports_.at("silent")), HttpTimeouts{}, &stopped);
    });
    Sleep(500);
    stopped = true;
    check.join();
    EXPECT_FALSE(text);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

// The support tool's output and exit code.
ProgramRun RunTool(const std::u16string& arguments) {
    return RunProgram(BuildTreeFolder(u"tools\\camfolio-tool") + u"\\camfolio-tool.exe", arguments);
}

TEST_F(VersionFetch, TheSupportToolPrintsTheVersionAndTheVerdict) {
    const std::string port = std::to_string(ports_.at("nginx_plain"));
    const ProgramRun found = RunTool(u"update-check --server 127.0.0.1:" + Widen(port));
    EXPECT_EQ(found.exitCode, 0u) << found.output;
    EXPECT_EQ(found.output, "server: 127.0.0.1:" + port +
                                "/download/Camfolio.latest\nlatest: 4.1.0.270\nown: 4.1.0.265\n"
                                "verdict: newer version available\n");
    const ProgramRun failed =
        RunTool(u"update-check --server 127.0.0.1:" + Widen(std::to_string(ports_.at("refused"))));
    EXPECT_EQ(failed.exitCode, 1u) << failed.output;
    EXPECT_NE(failed.output.find("could not be fetched"), std::string::npos) << failed.output;
}

}  // namespace
