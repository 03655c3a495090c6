#include <iostream>
#include <string>
#include <vector>

#include "diag/text/utf8.h"
#include "tools/camfolio-tool/tool.h"

int main(int argc, char** argv) {
    std::vector<std::u16string> args;
    for (int i = 1; i < argc; ++i) {
        args.push_back(Utf16FromUtf8(argv[i]));
    }
    return RunTool(args, std::cout, std::cerr);
}
