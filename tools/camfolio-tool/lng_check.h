#pragma once
// "camfolio-tool lng check FILE": whether the applet would accept a language
// file and, if not, why; then the lines that load but do not work as meant:
// repeated ids, ids that are never shown, and translations whose markers do not fit
// the operation that shows them (English is shown instead).
#include <ostream>

// Exit codes: 0 accepted, 1 rejected.
int RunLngCheck(const char16_t* path, std::ostream& out);
