#pragma once
// "camfolio-tool settings": prints every setting of HKEY_CURRENT_USER
// "SOFTWARE\Camfolio" as the applet reads it (after defaults, clamping and
// migrations), one NAME=VALUE per line; "settings set NAME VALUE" writes one
// through the same accessors.
#include <ostream>
#include <span>
#include <string>

int RunSettingsCommand(std::span<const std::u16string> args, std::ostream& out, std::ostream& err);
