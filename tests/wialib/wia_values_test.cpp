#include <gtest/gtest.h>

#include <string>

#include "tests/support/u16.h"
#include "wialib/values/digit_grouping.h"
#include "wialib/values/pnp_serial.h"
#include "wialib/values/property_type_name.h"

namespace {

TEST(SerialFromPnpId, TakesTheUsbSerialAndRefusesEveryOtherForm) {
    const std::string longSerial(300, 'S');
    const std::pair<std::string, std::string> cases[] = {
        {R"(\\?\usb#vid_04a9&pid_3218#A1B2C3#{6ac27878-a6fa-4155-ba85-f98f491d4f33})", "A1B2C3"},
        {R"(\\?\usb#vid_#SER#)", "SER"},
        // An instance id that Windows made up is no serial number.
        {R"(\\?\usb#vid_04a9&pid_3218#5&2d8ea5f&0&2#{6ac27878-a6fa-4155-ba85-f98f491d4f33})", ""},
        {R"(\\?\USB#VID_04A9&PID_3218#A1B2C3#{6ac27878-a6fa-4155-ba85-f98f491d4f33})", ""},
        {R"(\\?\usb#vid_04a9&pid_3218#A1B2C3)", ""},
        {R"(\\?\usb#vid_04a9&pid_3218)", ""},
        {R"(\\?\usb#vid_04a9&pid_3218##{x})", ""},
        {R"(usb#vid_04a9&pid_3218#A1B2C3#{x})", ""},
        {R"(\\?\wpdbusenumroot#umb#2&37c186b&1&A1B2C3#{x})", ""},
        {"", ""},
        {R"(\\?\usb#vid_04a9&pid_3218#)" + longSerial + "#{x}", std::string(259, 'S')},
    };
    for (const auto& [pnpId, serial] : cases) {
        EXPECT_EQ(Narrow(SerialFromPnpId(Widen(pnpId))), serial) << pnpId;
    }
}

TEST(PropertyTypeName, NamesTheBaseTypeThenItsFlags) {
    const std::pair<std::uint16_t, const char*> cases[] = {
        {0, "VT_EMPTY"},
        {8, "VT_BSTR"},
        {72, "VT_CLSID"},
        {0x1012, "VT_UI2|VT_VECTOR"},
        {0x2003, "VT_I4|VT_ARRAY"},
        {0x8008, "VT_BSTR|VT_RESERVED"},
        {0xB011, "VT_UI1|VT_VECTOR|VT_ARRAY|VT_RESERVED"},
        {0x4008, "VT_BSTR"},  // by-reference has no name in the listing
        {9, "Unknown (9)"},
        {0x1FFF, "Unknown (4095)|VT_VECTOR"},
    };
    for (const auto& [type, name] : cases) {
        EXPECT_EQ(Narrow(PropertyTypeName(type)), name) << std::hex << type;
    }
}

TEST(GroupDigits, SeparatesThousandsOfTheFirstNumberAndKeepsTheRest) {
    struct Case {
        const char* text;
        const char* separator;
        const char* grouped;
    };
    const Case cases[] = {
        {"1234567", ",", "1,234,567"},
        {"123", ",", "123"},
        {"1234", ".", "1.234"},
        {"1234567", "'&'", "1'&'234'&'567"},
        {"1234567", "<-->", "1<-->234<-->567"},
        {"1234567", "abcde", "1abcd234abcd567"},  // at most 4 units of separator
        {"1234567", "", "1234567"},
        {"  1234567 bytes", " ", "  1 234 567 bytes"},
        {"x12345y", ",", "x12,345y"},
        {"12345 and 67890", ",", "12,345 and 67890"},
        {"no digits", ",", "no digits"},
        {"", ",", ""},
        {"123456789012345678901234567890", ",", "123,456,789,012,345,678,901,2"},
        {"size 1234 of a longer text than fits", ",", "size 1,234 of a longer text t"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Narrow(GroupDigits(Widen(c.text), Widen(c.separator))), c.grouped)
            << c.text << " / " << c.separator;
    }
}

}  // namespace
