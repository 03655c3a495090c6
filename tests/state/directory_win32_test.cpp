// The directory model's Windows side: the device's portable-device id in the
// registry, its folders through the shell, sizes in the user's notation.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/reg_key_win32.h"
#include "state/directory/device_pnp_id_win32.h"
#include "state/directory/dirlist_win32.h"
#include "state/directory/size_text_win32.h"
#include "tests/support/trace_capture.h"
#include "tests/support/u16.h"
#include "tests/wialib/fake_shell_win32.h"

namespace {

using ::testing::Contains;

constexpr char16_t kClassKey[] =
    u"System\\CurrentControlSet\\Control\\Class\\{CAF01100-0000-0000-0000-000000000015}";
constexpr char16_t kDeviceId[] = u"{CAF01100-0000-0000-0000-000000000015}\\0001";
constexpr char16_t kPnpId[] = u"\\\\?\\usb#vid_04a9&pid_3218#5&1a2b#{6ac27878-a6fa-4155}";

// The device's class key below HKEY_LOCAL_MACHINE, removed again at the end.
class DeviceClassKey {
  public:
    DeviceClassKey() { Remove(); }
    ~DeviceClassKey() { Remove(); }
    DeviceClassKey(const DeviceClassKey&) = delete;
    DeviceClassKey& operator=(const DeviceClassKey&) = delete;

    RegKey DeviceData() const {
        return RegKey::CreateForWrite(HKEY_LOCAL_MACHINE, Path(2).c_str());
    }

  private:
    static std::u16string Path(int depth) {
        std::u16string path = kClassKey;
        if (depth >= 1) {
            path += u"\\0001";
        }
        if (depth >= 2) {
            path += u"\\DeviceData";
        }
        return path;
    }
    static void Remove() {
        for (int depth = 2; depth >= 0; --depth) {
            RegKey::DeleteKey(HKEY_LOCAL_MACHINE, Path(depth).c_str());
        }
    }
};

TEST(GetWpdDevicePnPID, ReadsTheIdFromTheDevicesClassKey) {
    DeviceClassKey key;
    char16_t out[260] = {};
    {
        TraceCapture trace;
        EXPECT_FALSE(GetWpdDevicePnPID(out, std::size(out), kDeviceId));
        EXPECT_THAT(trace.Texts(),
                    Contains("B16@GetWpdDevicePnPID: Error opening registry key, error =2"));
    }
    const RegKey data = key.DeviceData();
    ASSERT_TRUE(data.IsOpen());
    EXPECT_FALSE(GetWpdDevicePnPID(out, std::size(out), kDeviceId));
    EXPECT_EQ(Narrow(out), Narrow(kDeviceId));

    ASSERT_TRUE(data.WriteDword(u"WpdDevicePnPID", 7));
    EXPECT_FALSE(GetWpdDevicePnPID(out, std::size(out), kDeviceId));
    EXPECT_EQ(Narrow(out), Narrow(kDeviceId));

    ASSERT_TRUE(data.WriteString(u"WpdDevicePnPID", kPnpId));
    EXPECT_TRUE(GetWpdDevicePnPID(out, std::size(out), kDeviceId));
    EXPECT_EQ(Narrow(out), Narrow(kPnpId));
    // A small buffer gets the id cut, never overrun.
    char16_t small[8];
    EXPECT_TRUE(GetWpdDevicePnPID(small, std::size(small), kDeviceId));
    EXPECT_EQ(Narrow(small), Narrow(std::u16string_view(kPnpId).substr(0, 7)));
}

TEST(GetDirlistFromNSE, ListsTheFoldersOfTheDeviceTheRegistryNames) {
    DeviceClassKey key;
    ASSERT_TRUE(key.DeviceData().WriteString(u"WpdDevicePnPID", kPnpId));
    {
        FakeShell shell;
        FakeShellNode& computer = shell.Desktop().Add(u"Computer", kComputerParsing, SFGAO_FOLDER);
        FakeShellNode& device = computer.Add(u"Camera", kPnpId, SFGAO_FOLDER | SFGAO_REMOVABLE);
        FakeShellNode& card = device.Add(u"Card", u"SID-{10001,,7424}", SFGAO_FOLDER);
        card.column1 = u"DCF";
        card.column2 = u"1,5 GB";
        card.Add(u"DCIM", u"{00000010-0000-0000-0000-000000000000}", SFGAO_FOLDER);

        std::vector<std::u16string> names;
        std::vector<std::u16string> paths;
        std::vector<std::u16string> sizes;
        EXPECT_TRUE(GetDirlistFromNSE(kDeviceId, &names, &paths, &sizes));
        ASSERT_EQ(names.size(), 2U);
        EXPECT_EQ(Narrow(names[0]), "\\Card");
        EXPECT_EQ(Narrow(names[1]), "\\Card\\DCIM");
        EXPECT_EQ(Narrow(paths[1]), "{00000010-0000-0000-0000-000000000000}");
        ASSERT_EQ(sizes.size(), 1U);
        EXPECT_EQ(Narrow(sizes[0]), "1,5 GB");

        std::vector<std::u16string> none;
        EXPECT_FALSE(GetDirlistFromNSE(u"{CAF01100-0000-0000-0000-000000000015}\\0002", &none,
                                       &none, &none));
        EXPECT_TRUE(none.empty());
    }
    EXPECT_EQ(FakeShell::LiveObjects(), 0);
}

TEST(ParseSizeText, UsesTheUsersDecimalSeparator) {
    wchar_t separator[5] = {};
    ASSERT_GT(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 5), 1);
    const std::u16string text =
        u"1" + std::u16string(reinterpret_cast<char16_t*>(separator)) + u"5 GB";
    EXPECT_EQ(ParseSizeText(text), 1717986918U);
    EXPECT_EQ(ParseSizeText(u"512 bytes"), 513U);
}

}  // namespace
