#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "tests/support/trace_capture.h"
#include "tests/support/u16.h"
#include "wialib/names/guid_name.h"
#include "wialib/names/result_name.h"

namespace {

constexpr Guid kIUnknown = {
    0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr Guid kFmtidShare = {
    0xD8C3986F, 0x813B, 0x449C, {0x84, 0x5D, 0x87, 0xB9, 0x5D, 0x67, 0x4A, 0xDE}};
// IID_IWiaDataCallback, which the table leaves out.
constexpr Guid kIWiaDataCallback = {
    0xA558A866, 0xA5B0, 0x11D2, {0xA0, 0x8F, 0x00, 0xC0, 0x4F, 0x72, 0xDC, 0x3C}};

TEST(ResultName, NamesKnownResultsAndPrintsOthersSigned) {
    const std::pair<std::uint32_t, const char*> cases[] = {
        {0x00000000, "S_OK"},
        {0x00000001, "S_FALSE"},
        {0x80070057, "E_INVALIDARG"},
        {0x800706BA, "RPC_E_SERVER_UNAVAIL"},
        {0x00040102, "DRAGDROP_S_USEDEFAULTCURSORS"},
        {0xDEAD0013, "-559087597"},
        {0x80004004, "-2147467260"},
        {0x00000005, "5"},
    };
    for (const auto& [value, name] : cases) {
        EXPECT_EQ(Narrow(ResultName(value)), name) << std::hex << value;
    }
}

TEST(ResultName, EachThreadHasItsOwnBuffer) {
    const char16_t* mine = ResultName(0);
    std::thread other([] { ResultName(0x80070057); });
    other.join();
    EXPECT_EQ(Narrow(mine), "S_OK");
}

TEST(GuidName, NamesTableEntriesAndBracesTheRest) {
    EXPECT_EQ(Narrow(GuidName(nullptr, kIUnknown, kNoGuidNumber)), "IID_IUnknown");
    EXPECT_EQ(Narrow(GuidName(nullptr, kFmtidShare, 5)), "FMTID_Share");
    EXPECT_EQ(Narrow(GuidName(nullptr, kIWiaDataCallback, kNoGuidNumber)),
              "{A558A866-A5B0-11D2-A08F-00C04F72DC3C}");
    EXPECT_EQ(Narrow(GuidName(nullptr, kIWiaDataCallback, 5)),
              "{A558A866-A5B0-11D2-A08F-00C04F72DC3C}.5");
    EXPECT_EQ(Narrow(GuidName(nullptr, kIWiaDataCallback, -2)),
              "{A558A866-A5B0-11D2-A08F-00C04F72DC3C}.4294967294");
}

TEST(GuidName, TracesWithATagOnly) {
    TraceCapture trace;
    GuidName(nullptr, kIUnknown, kNoGuidNumber);
    GuidName(u"WD2@CWiaDataCallback::QueryInterface:", kIWiaDataCallback, kNoGuidNumber);
    EXPECT_THAT(trace.Texts(), ::testing::ElementsAre("WD2@CWiaDataCallback::QueryInterface: "
                                                      "{A558A866-A5B0-11D2-A08F-00C04F72DC3C}"));
}

}  // namespace
