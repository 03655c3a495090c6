#pragma once
// "camfolio-tool lng": checks language files and writes a template for
// translators (lng_check.h, lng_template.h).
#include <ostream>
#include <span>
#include <string>

// Exit codes: 0 accepted or written, 1 rejected or not written, 2 bad usage.
int RunLngCommand(std::span<const std::u16string> args, std::ostream& out, std::ostream& err);

void PrintLngUsage(std::ostream& out);
