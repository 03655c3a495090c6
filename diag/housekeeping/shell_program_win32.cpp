#include <windows.h>

#include <string>

#include "config/mapper_contract.h"
#include "config/reg_key_win32.h"
#include "diag/housekeeping/shell_program.h"

namespace {

// 518 bytes with the terminator.
constexpr std::size_t kShellUnits = 518 / sizeof(char16_t) - 1;

std::u16string ReadShellProgram() {
    // One unit more than taken tells a value that would have been cut, and a
    // cut program name names another program.
    const auto shell = RegKey::OpenForRead(HKEY_LOCAL_MACHINE, contract::kWinlogonKey)
                           .ReadString(contract::kShell, kShellUnits + 1);
    return shell && shell->size() <= kShellUnits ? *shell : std::u16string();
}

}  // namespace

const char16_t* GetShellProgram() {
    static const std::u16string program = ReadShellProgram();
    return program.c_str();
}
