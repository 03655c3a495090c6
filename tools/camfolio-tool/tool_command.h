#pragma once
// One subcommand of the support tool.
#include <ostream>
#include <span>
#include <string>

struct ToolCommand {
    const char16_t* name;
    const char* summary;
    // Arguments after the command's name; exit codes 0, 1 (failure), 2 (usage).
    int (*run)(std::span<const std::u16string> args, std::ostream& out, std::ostream& err);
};

// Commands that exist only on one platform (the registry is Windows'); empty
// elsewhere.
std::span<const ToolCommand> PlatformCommands();
