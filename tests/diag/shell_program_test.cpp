// The shell program from Wine's real registry.
#include "diag/housekeeping/shell_program.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "config/mapper_contract.h"
#include "config/reg_key_win32.h"

namespace {

TEST(ShellProgram, IsReadOnceForTheProcess) {
    const RegKey winlogon = RegKey::CreateForWrite(HKEY_LOCAL_MACHINE, contract::kWinlogonKey);
    ASSERT_TRUE(winlogon.IsOpen());
    const auto stored = winlogon.ReadString(contract::kShell, 1000);
    const std::u16string first = GetShellProgram();
    EXPECT_EQ(first, stored.value_or(u""));

    ASSERT_TRUE(winlogon.WriteString(contract::kShell, u"other-shell.exe"));
    const std::u16string second = GetShellProgram();
    if (stored) {
        winlogon.WriteString(contract::kShell, stored->c_str());
    } else {
        winlogon.DeleteValue(contract::kShell);
    }
    EXPECT_EQ(second, first);
}

}  // namespace
