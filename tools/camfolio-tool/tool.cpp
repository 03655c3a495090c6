#include "tools/camfolio-tool/tool.h"

#include "tools/camfolio-tool/format_command.h"

namespace {

void PrintUsage(std::ostream& out) {
    out << "Usage: camfolio-tool COMMAND [arguments]\n"
           "Commands:\n"
           "  format   expand a file name format for the sample picture\n"
           "Run \"camfolio-tool COMMAND --help\" for the options of a command.\n";
}

}  // namespace

int RunTool(std::span<const std::u16string> args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        PrintUsage(err);
        return 2;
    }
    if (args[0] == u"--help") {
        PrintUsage(out);
        return 0;
    }
    if (args[0] == u"format") {
        return RunFormatCommand(args.subspan(1), out, err);
    }
    err << "camfolio-tool: unknown command\n";
    PrintUsage(err);
    return 2;
}
