#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <wia.h>

#include <string>
#include <vector>

#include "state/directory/directory.h"
#include "tests/support/u16.h"
#include "tests/wialib/fake_camera_fixture_win32.h"
#include "wialib/wia/wia_context_win32.h"
#include "wialib/wia/wia_value_text_win32.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

using WiaDevices = FakeCameraTest;

TEST_F(WiaDevices, ListsCamerasInOrderWithNamesAndSerialsSkippingScannersAndOddIds) {
    std::vector<std::u16string> ids;
    std::vector<std::u16string> names;
    std::vector<std::u16string> serials;
    ASSERT_EQ(WiaLib_GetDevices(Context(), &ids, &names, &serials), S_OK);
    EXPECT_THAT(ids, ElementsAre(kFakeCameraId, kSecondCameraId));
    EXPECT_THAT(names, ElementsAre(u"Fake Camera", u"Second Camera"));
    // The second camera's PnP id carries an instance id Windows made up.
    EXPECT_THAT(serials, ElementsAre(u"A1B2C3", u""));
}

TEST_F(WiaDevices, RefusesBadArgumentsBeforeAnyWiaCall) {
    std::vector<std::u16string> ids;
    WiaLibContext forged;
    EXPECT_EQ(WiaLib_GetDevices(nullptr, &ids, nullptr, nullptr), E_INVALIDARG);
    EXPECT_EQ(WiaLib_GetDevices(&forged, &ids, nullptr, nullptr), E_INVALIDARG);
    WiaLibContext* context = Context();
    EXPECT_EQ(WiaLib_GetDevices(context, nullptr, nullptr, nullptr), E_INVALIDARG);
    EXPECT_EQ(WiaLib_GetDirlist(context, nullptr, nullptr, 1, 0, nullptr, 0), E_INVALIDARG);
    EXPECT_EQ(WiaLib_DestroyContext(nullptr), E_INVALIDARG);
    WiaLibContext* none = nullptr;
    EXPECT_EQ(WiaLib_DestroyContext(&none), E_INVALIDARG);
}

TEST_F(WiaDevices, AFailingDeviceListIsReportedAndReturned) {
    wia_.enumDeviceInfoResult = E_ACCESSDENIED;
    std::vector<std::u16string> ids;
    EXPECT_EQ(WiaLib_GetDevices(Context(), &ids, nullptr, nullptr), E_ACCESSDENIED);
    EXPECT_THAT(Listing(),
                HasSubstr("Error calling IWiaDevMgr::EnumDeviceInfo: HRESULT: 0x80070005\n"));
}

TEST_F(WiaDevices, NoDeviceManagerMeansNoContext) {
    SetCurrentFakeWia(nullptr);
    WiaLibContext* context = nullptr;
    EXPECT_EQ(WiaLib_CreateContext(&context, 1, 1, nullptr), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(context, nullptr);
    SetCurrentFakeWia(&wia_);
}

TEST_F(WiaDevices, MatchingIsCaseSensitiveAndAMissingDeviceIsNoError) {
    std::u16string lower(kFakeCameraId);
    for (char16_t& unit : lower) {
        unit = unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit + 32) : unit;
    }
    CDirectory directory;
    char16_t name[100] = u"unchanged";
    EXPECT_EQ(WiaLib_GetDirlist(Context(), lower.c_str(), &directory, 1, 0, name, std::size(name)),
              S_OK);
    EXPECT_THAT(directory.Items(), IsEmpty());
    EXPECT_EQ(std::u16string(name), u"");
    EXPECT_EQ(context_->cachedRoot.Get(), nullptr);
}

TEST_F(WiaDevices, TheSecondMatchedDeviceIsPrecededByAnEmptyLine) {
    WiaLibContext* context = Context();
    EXPECT_EQ(WiaLib_GetDirlist(context, kFakeCameraId, nullptr, 0, 0, nullptr, 0), S_OK);
    EXPECT_EQ(WiaLib_GetDirlist(context, kSecondCameraId, nullptr, 0, 0, nullptr, 0), S_OK);
    const std::string listing = Listing();
    EXPECT_EQ(listing.rfind("Device 1 = Camera device\n", 0), 0U) << listing;
    EXPECT_THAT(listing, HasSubstr("\n\nDevice 2 = Camera device\n"));
}

TEST_F(WiaDevices, DevicePropertiesAreListedQuotedAndCollectedWithoutQuotes) {
    CDirectory directory;
    ASSERT_EQ(WiaLib_GetDeviceProps(Context(), kFakeCameraId, &directory), S_OK);
    const std::vector<std::u16string>& names = directory.PropertyNames();
    const std::vector<std::u16string>& values = directory.PropertyValues();
    ASSERT_EQ(names.size(), values.size());
    const auto at = std::find(names.begin(), names.end(), u"Name");
    ASSERT_NE(at, names.end());
    EXPECT_EQ(values[static_cast<std::size_t>(at - names.begin())], u"Fake Camera");
    // Properties only: the tree is not walked.
    EXPECT_THAT(directory.Items(), IsEmpty());
    const std::string listing = Listing();
    EXPECT_THAT(listing, HasSubstr("  07(VT_BSTR): Name=\"Fake Camera\"\n"));
    EXPECT_THAT(listing, HasSubstr("\tCamera device\n"));
    EXPECT_THAT(listing, HasSubstr("\tUSB device\n"));
    EXPECT_THAT(listing, HasSubstr("\tThe device is connected and operational\n"));
    EXPECT_THAT(listing, Not(HasSubstr("IMG_0001")));
}

PROPVARIANT Words(std::vector<USHORT>& words) {
    PROPVARIANT value;
    PropVariantInit(&value);
    value.vt = VT_UI2 | VT_VECTOR;
    value.caui.cElems = static_cast<ULONG>(words.size());
    value.caui.pElems = words.data();
    return value;
}

TEST(WiaValueText, AnEightWordVectorPrintsItsElementsAndFillsTheTime) {
    std::vector<USHORT> words{2021, 6, 2, 15, 14, 30, 5, 0};
    const PROPVARIANT value = Words(words);
    char16_t text[261];
    SYSTEMTIME time{};
    ConvertValueToString(value, text, std::size(text), &time, nullptr);
    EXPECT_EQ(Narrow(text), "[8] 2021, 6, 2, 15, 14, 30, 5, 0");
    EXPECT_EQ(time.wYear, 2021);
    EXPECT_EQ(time.wDay, 15);
    EXPECT_EQ(time.wMinute, 30);
}

TEST(WiaValueText, ScalarsAndVectorsAsText) {
    struct Case {
        const char* name;
        PROPVARIANT value;
        const char* text;
    };
    std::vector<USHORT> many(20, 7);
    BSTR camera = SysAllocString(L"Cam");
    GUID png{0xB96B3CAF, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
    auto make = [](VARTYPE type) {
        PROPVARIANT value;
        PropVariantInit(&value);
        value.vt = type;
        return value;
    };
    std::vector<Case> cases;
    PROPVARIANT v = make(VT_I4);
    v.lVal = -5;
    cases.push_back({"I4", v, "-5"});
    v = make(VT_BSTR);
    v.bstrVal = camera;
    cases.push_back({"BSTR quoted", v, "\"Cam\""});
    v = make(VT_BOOL);
    v.boolVal = VARIANT_TRUE;
    cases.push_back({"BOOL", v, "True"});
    v = make(VT_ERROR);
    v.scode = E_FAIL;
    cases.push_back({"ERROR", v, "0x80004005"});
    v = make(VT_UI1);
    v.bVal = 200;
    cases.push_back({"UI1", v, "200"});
    v = make(VT_I1);
    v.cVal = static_cast<CHAR>(-3);
    cases.push_back({"I1 signed", v, "-3"});
    v = make(VT_CLSID);
    v.puuid = &png;
    cases.push_back({"CLSID", v, "{B96B3CAF-0728-11D3-9D7B-0000F81EF32E}"});
    v = make(VT_FILETIME);
    v.filetime = {0x10, 0x2A};
    cases.push_back({"FILETIME high:low", v, "0000002a:00000010"});
    v = Words(many);
    cases.push_back({"16 of 20 shown", v, "[20] 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7"});
    v = make(VT_R8 | VT_VECTOR);
    cases.push_back({"other vector", v, "[0] ..."});
    v = make(VT_EMPTY);
    cases.push_back({"empty", v, ""});
    for (const Case& c : cases) {
        char16_t text[261];
        ConvertValueToString(c.value, text, std::size(text), nullptr, nullptr);
        EXPECT_EQ(Narrow(text), c.text) << c.name;
    }
    char16_t small[6];
    ConvertValueToString(cases[1].value, small, std::size(small), nullptr, nullptr);
    EXPECT_EQ(Narrow(small), "\"Cam\"");
    char16_t tiny[4];
    ConvertValueToString(cases[1].value, tiny, std::size(tiny), nullptr, nullptr);
    EXPECT_EQ(Narrow(tiny), "\"Ca");
    SysFreeString(camera);
}

TEST(WiaValueText, AByteVectorGoesWholeToTheThumbnailInsteadOfTheText) {
    std::vector<UCHAR> bytes(300, 0xAB);
    PROPVARIANT value;
    PropVariantInit(&value);
    value.vt = VT_UI1 | VT_VECTOR;
    value.caub.cElems = static_cast<ULONG>(bytes.size());
    value.caub.pElems = bytes.data();
    char16_t text[261];
    std::vector<std::uint8_t> thumbnail;
    ConvertValueToString(value, text, std::size(text), nullptr, &thumbnail);
    EXPECT_EQ(Narrow(text), "[300] ");
    EXPECT_EQ(thumbnail.size(), 300U);
    ConvertValueToString(value, text, std::size(text), nullptr, nullptr);
    EXPECT_EQ(Narrow(text).substr(0, 18), "[300] 0xab, 0xab, ");
}

}  // namespace
