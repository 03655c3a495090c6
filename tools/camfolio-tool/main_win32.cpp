#include <iostream>
#include <string>
#include <vector>

#include "common/win32/wide_win32.h"
#include "tools/camfolio-tool/tool.h"

// Unicode entry point: arguments arrive as UTF-16; output is written as UTF-8.
int wmain(int argc, wchar_t** argv) {
    std::vector<std::u16string> args;
    for (int i = 1; i < argc; ++i) {
        args.emplace_back(AsU16(argv[i]));
    }
    return RunTool(args, std::cout, std::cerr);
}
