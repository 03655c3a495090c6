#pragma once
// The support tool's subcommands, behind the platform's main.
#include <ostream>
#include <span>
#include <string>

// args excludes the program name. Exit codes: 0 success, 1 failure, 2 usage.
int RunTool(std::span<const std::u16string> args, std::ostream& out, std::ostream& err);
