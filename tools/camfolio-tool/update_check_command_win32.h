#pragma once
// "camfolio-tool update-check [--server HOST[:PORT]]": runs the applet's
// version check without the dialog and prints the server asked, the version
// found and the verdict.
#include <ostream>
#include <span>
#include <string>

int RunUpdateCheckCommand(std::span<const std::u16string> args, std::ostream& out,
                          std::ostream& err);
