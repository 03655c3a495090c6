// The smoke set under the Windows versions the product supports at both
// ends, as Wine reports them: the version flags, the Control Panel entry, the
// dialog on each tab, and the profiles the support tool lists.
#include <windows.h>

#include <cpl.h>
#include <gtest/gtest.h>

#include <string>

#include "applet/main_dlg_ids.h"
#include "common/windows_version/windows_version.h"
#include "tests/applet/applet_dialog_fixture.h"
#include "tests/support/program_run_win32.h"
#include "tests/support/reported_windows_win32.h"
#include "tests/support/u16.h"

namespace {

struct WindowsCase {
    const char16_t* version;
    std::uint32_t flag;  // what GetWindowsVersionFlags reports
    bool secondLevel;    // camera keys with serial-number subkeys list those
    // Also right: Wine 8 gives its Windows 7 the server product type, which
    // makes it Server 2008 R2, the same system's server edition.
    std::uint32_t serverEdition = 0;
};

class UnderWindows : public AppletDialog {
  protected:
    void Smoke(const WindowsCase& windows) {
        if (!ReportedWindowsVersion()) {
            EXPECT_EQ(RunCurrentTestAs(windows.version, {u"camfolio-tool.exe"}), 0u)
                << "the run as " << Narrow(windows.version) << " failed; its output is above";
            return;
        }
        const std::uint32_t flags = GetWindowsVersionFlags(nullptr, 0);
        EXPECT_TRUE(
            flags == (windows.flag | winver::k64Bit) ||
            (windows.serverEdition != 0 && flags == (windows.serverEdition | winver::k64Bit)))
            << std::hex << flags;

        ASSERT_EQ(applet_.Send(CPL_INIT), 1);
        for (const wchar_t* start : {L"1", L"2", L"3"}) {
            OpenDialog(start, [&](HWND dialog) {
                EXPECT_EQ(SelectedTab(dialog), start[0] - L'1') << Narrow(AsU16(start));
            });
        }
        applet_.Send(CPL_EXIT);

        registry_.Settings(u"Profiles\\Canon EOS\\1111").WriteString(u"DriveLetter", u"P");
        const ProgramRun tool = RunProgram(
            BuildTreeFolder(u"tools\\camfolio-tool") + u"\\camfolio-tool.exe", u"profiles");
        ASSERT_EQ(tool.exitCode, 0u) << tool.output;
        EXPECT_EQ(
            tool.output.find("name=Canon EOS\talias=\tserial=1111\tletter=P") != std::string::npos,
            windows.secondLevel)
            << tool.output;
        EXPECT_EQ(tool.output.find("name=Canon EOS\talias=\tserial=\t") != std::string::npos,
                  !windows.secondLevel)
            << tool.output;
    }
};

TEST_F(UnderWindows, Xp64) {
    Smoke({kWindowsXp64, winver::kXP, false});
}

TEST_F(UnderWindows, Seven) {
    Smoke({kWindows7, winver::k7, true, winver::kServer2008R2});
}

TEST_F(UnderWindows, Ten) {
    Smoke({kWindows10, winver::k10, true});
}

}  // namespace
