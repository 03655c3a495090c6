#pragma once
// "camfolio-tool format": expands a file name format for the sample picture
// exactly as the applet and the builder would, so that administrators can try
// a format before publishing it.
#include <ostream>
#include <span>
#include <string>

// Exit codes: 0 success, 1 the engine failed, 2 bad usage.
int RunFormatCommand(std::span<const std::u16string> args, std::ostream& out, std::ostream& err);

void PrintFormatUsage(std::ostream& out);
