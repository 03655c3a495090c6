#pragma once
// "camfolio-tool profiles": the camera profiles as the applet loads them, one
// per line, fields separated by tabs: name, alias, serial (second-level key),
// letter, letter2, automap, multicard, unavailable, format.
#include <ostream>
#include <span>
#include <string>

int RunProfilesCommand(std::span<const std::u16string> args, std::ostream& out, std::ostream& err);
