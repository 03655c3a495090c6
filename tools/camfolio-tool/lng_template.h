#pragma once
// "camfolio-tool lng template FILE": writes a language file holding every
// English text, with "#1" and "#2" where the program puts in values, as a
// starting point for translators. The file is accepted as it is.
#include <ostream>

// Exit codes: 0 written, 1 the file could not be written.
int RunLngTemplate(const char16_t* path, std::ostream& err);
