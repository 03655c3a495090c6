#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/wialib/fake_camera_fixture_win32.h"
#include "wialib/wia/wia_context_win32.h"

namespace {

using ::testing::HasSubstr;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::stringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        std::erase(line, '\r');
        lines.push_back(line);
    }
    return lines;
}

// The expected listing lies beside the test program.
std::string Expected() {
    wchar_t program[MAX_PATH];
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    const std::filesystem::path file =
        std::filesystem::path(program).parent_path() / "fake_camera_dump.txt";
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

using WiaDump = FakeCameraTest;

TEST_F(WiaDump, TheListingOfTheFakeCamerasIsTheExpectedOne) {
    const std::u16string path = folder_.Path() + u"\\dump.txt";
    ASSERT_EQ(WIALIBWRAPPER_Dump(path.c_str()), S_OK);
    const std::vector<std::string> expected = Lines(Expected());
    const std::vector<std::string> written = Lines(ReadText(path));
    ASSERT_FALSE(expected.empty());
    for (std::size_t i = 0; i < std::max(expected.size(), written.size()); ++i) {
        const std::string want = i < expected.size() ? expected[i] : "<none>";
        const std::string got = i < written.size() ? written[i] : "<none>";
        ASSERT_EQ(got, want) << "line " << i + 1;
    }
}

TEST_F(WiaDump, WithoutADeviceManagerTheDumpEndsQuietly) {
    SetCurrentFakeWia(nullptr);
    const std::u16string path = folder_.Path() + u"\\dump.txt";
    EXPECT_EQ(WIALIBWRAPPER_Dump(path.c_str()), S_OK);
    EXPECT_THAT(ReadText(path), HasSubstr("CoCreateInstance failed on CLSID_WiaDevMgr"));
    SetCurrentFakeWia(&wia_);
}

// Wine's own WIA service: whatever it answers, the calls come back honestly.
TEST(WiaService, CallsOnTheRealServiceReturnWithoutHanging) {
    const auto start = std::chrono::steady_clock::now();
    WiaLibContext* context = nullptr;
    const HRESULT created = WiaLib_CreateContext(&context, 0, 1, nullptr);
    if (SUCCEEDED(created)) {
        std::vector<std::u16string> ids;
        const HRESULT listed = WiaLib_GetDevices(context, &ids, nullptr, nullptr);
        EXPECT_TRUE(SUCCEEDED(listed) || ids.empty()) << std::hex << listed;
        WiaLib_DestroyContext(&context);
    } else {
        EXPECT_EQ(context, nullptr);
    }
    TempDir folder;
    const std::u16string path = folder.Path() + u"\\dump.txt";
    EXPECT_EQ(WIALIBWRAPPER_Dump(path.c_str()), S_OK);
    const HRESULT registered = WiaLib_RegisterDeregisterProgram(
        1, u"C:\\Camfolio.exe", u"d", u"Camfolio", 0, 0, 1, 0, 0, nullptr, 10000);
    if (FAILED(created)) {
        EXPECT_TRUE(FAILED(registered)) << std::hex << registered;
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
}

}  // namespace
