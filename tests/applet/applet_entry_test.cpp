// CPlApplet of the built Camfolio.cpl answers the Control Panel's messages.
#include <windows.h>

#include <cpl.h>
#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <chrono>
#include <climits>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "applet/control_panel_app_win32.h"
#include "common/win32/ownership_win32.h"
#include "common/win32/wide_win32.h"
#include "config/settings_registry.h"
#include "tests/applet/applet_library.h"
#include "tests/support/message_box_watcher_win32.h"
#include "tests/support/registry_sandbox_win32.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_installation_win32.h"
#include "tests/support/u16.h"
#include "tests/support/window_search_win32.h"

namespace {

constexpr int kBuilderEntryIcon = 110;

// The colour and mask pixels of an icon, to compare two icons by content.
std::vector<std::uint32_t> IconPixels(HICON icon) {
    ICONINFO info{};
    if (icon == nullptr || !GetIconInfo(icon, &info)) {
        return {};
    }
    const UniqueGdiObject colour(info.hbmColor);
    const UniqueGdiObject mask(info.hbmMask);
    const WindowDc screen(nullptr);
    std::vector<std::uint32_t> pixels;
    for (HBITMAP bitmap : {colour.Bitmap(), mask.Bitmap()}) {
        BITMAP size{};
        if (bitmap == nullptr || GetObjectW(bitmap, sizeof size, &size) == 0) {
            continue;
        }
        BITMAPINFO format{};
        format.bmiHeader.biSize = sizeof format.bmiHeader;
        format.bmiHeader.biWidth = size.bmWidth;
        format.bmiHeader.biHeight = size.bmHeight;
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 32;
        format.bmiHeader.biCompression = BI_RGB;
        std::vector<std::uint32_t> rows(static_cast<std::size_t>(size.bmWidth) *
                                        static_cast<std::size_t>(size.bmHeight));
        GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(size.bmHeight), rows.data(), &format,
                  DIB_RGB_COLORS);
        pixels.insert(pixels.end(), rows.begin(), rows.end());
    }
    return pixels;
}

// Icon group id of a program file, read as the Control Panel's icon is.
std::vector<std::uint32_t> IconGroupPixels(const std::u16string& file, int group) {
    const UniqueModule module(
        LoadLibraryExW(AsWide(file.c_str()), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    if (!module.IsValid()) {
        return {};
    }
    const int size = GetSystemMetrics(SM_CXICON);
    const UniqueIcon icon(static_cast<HICON>(
        LoadImageW(module.Get(), MAKEINTRESOURCEW(group), IMAGE_ICON, size, size, 0)));
    return IconPixels(icon.Get());
}

int ThreadsOfThisProcess() {
    const UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Thread32First(snapshot.Get(), &entry); more != FALSE;
         more = Thread32Next(snapshot.Get(), &entry)) {
        if (entry.th32OwnerProcessID == GetCurrentProcessId()) {
            ++count;
        }
    }
    return count;
}

TEST(AppletEntry, AnswersEveryMessageOfTheControlPanel) {
    RegistrySandbox registry;
    TestInstallation installation(registry);
    ASSERT_TRUE(installation.InstallConsistent());
    ASSERT_TRUE(installation.Install(kShippedBuilderFolder, u"CamfolioFmt.exe"));
    AppletLibrary applet;
    ASSERT_TRUE(applet.IsLoaded());

    ASSERT_EQ(applet.Send(CPL_INIT), 1);
    EXPECT_EQ(applet.Send(CPL_GETCOUNT), 1);

    CPLINFO info{};
    info.idIcon = info.idName = info.idInfo = 77;
    EXPECT_EQ(applet.Send(CPL_INQUIRE, 0, reinterpret_cast<LPARAM>(&info)), 0);
    EXPECT_EQ(info.idIcon, 0);
    EXPECT_EQ(info.idName, 0);
    EXPECT_EQ(info.idInfo, 0);
    EXPECT_NE(info.lData, 0);

    NEWCPLINFOW record;
    std::memset(&record, 0xCC, sizeof record);
    EXPECT_EQ(applet.Send(CPL_NEWINQUIRE, 0, reinterpret_cast<LPARAM>(&record)), 0);
    EXPECT_EQ(record.dwSize, 476u);
    EXPECT_EQ(record.dwFlags, 0u);
    EXPECT_EQ(record.dwHelpContext, 0u);
    EXPECT_EQ(record.lData, info.lData);
    EXPECT_EQ(std::u16string(AsU16(record.szName)), u"Camfolio");
    EXPECT_EQ(std::u16string(AsU16(record.szInfo)), u"Camfolio Settings");
    EXPECT_EQ(std::u16string(AsU16(record.szHelpFile)), u"");
    // The entry shows the builder's icon group 110; the mapper's icon differs.
    const UniqueIcon icon(record.hIcon);
    ASSERT_TRUE(icon.IsValid());
    const std::vector<std::uint32_t> builderIcon =
        IconGroupPixels(installation.Folder() + u"\\CamfolioFmt.exe", kBuilderEntryIcon);
    ASSERT_FALSE(builderIcon.empty());
    EXPECT_TRUE(IconPixels(icon.Get()) == builderIcon);

    EXPECT_EQ(applet.Send(CPL_SELECT), 0);
    EXPECT_EQ(applet.Send(CPL_STOP), 0);
    EXPECT_EQ(applet.Send(CPL_STARTWPARMSA, 0, reinterpret_cast<LPARAM>("2")), 0);
    EXPECT_EQ(applet.Send(0x4321), 1);
    EXPECT_EQ(applet.Send(CPL_EXIT), 1);
}

TEST(AppletEntry, IsNotOfferedWhenTheInstallationIsBroken) {
    RegistrySandbox registry;
    TestInstallation installation(registry);
    ASSERT_TRUE(installation.InstallConsistent(u"standins\\dokan-other-library"));
    AppletLibrary applet;
    ASSERT_TRUE(applet.IsLoaded());
    MessageBoxWatcher boxes;
    EXPECT_EQ(applet.Send(CPL_INIT), 0);
    EXPECT_FALSE(boxes.Boxes().empty());
    applet.Send(CPL_EXIT);
}

// After a refusal the Control Panel frees the library without CPL_EXIT: a
// thread left behind would run in unmapped code.
TEST(AppletEntry, LeavesNothingRunningWhenItRefusesToStart) {
    RegistrySandbox registry;
    TestInstallation installation(registry);
    TempDir root;
    ASSERT_TRUE(installation.InstallConsistent(u"standins\\dokan-other-library"));
    ASSERT_TRUE(Registry_Set_CacheRoot(root.Path().c_str()));
    ASSERT_TRUE(Registry_SetLoggingEnabled(true));  // so that the trace writer starts
    const int threadsBefore = ThreadsOfThisProcess();
    {
        MessageBoxWatcher boxes;
        AppletLibrary applet;
        ASSERT_TRUE(applet.IsLoaded());
        ASSERT_EQ(applet.Send(CPL_INIT), 0);
    }
    EXPECT_EQ(GetModuleHandleW(L"Camfolio.cpl"), nullptr) << "the library is still mapped";
    EXPECT_TRUE(
        WaitUntil([&] { return ThreadsOfThisProcess() == threadsBefore; }, std::chrono::seconds(5)))
        << "threads before " << threadsBefore << ", after " << ThreadsOfThisProcess();
}

TEST(AppletEntry, StartPageComesFromTheTextCountingFromOne) {
    const struct {
        const wchar_t* text;
        int page;
    } cases[] = {
        {L"1", 0},
        {L"3", 2},
        {L"0", 0},
        {L"-1", -2},
        {L"junk", 0},
        {L"2 pages", 1},
        {L"2147483647", INT_MAX - 1},
        {L"99999999999", INT_MAX - 1},  // wcstol saturates
        {L"-2147483648", INT_MIN},      // no wrap round to the highest page
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StartPageFromText(c.text), c.page) << Narrow(AsU16(c.text));
    }
}

}  // namespace
