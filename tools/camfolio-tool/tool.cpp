#include "tools/camfolio-tool/tool.h"

#include "diag/text/utf8.h"
#include "tools/camfolio-tool/format_command.h"
#include "tools/camfolio-tool/lng_command.h"
#include "tools/camfolio-tool/tool_command.h"

namespace {

void PrintUsage(std::ostream& out) {
    out << "Usage: camfolio-tool COMMAND [arguments]\n"
           "Commands:\n"
           "  format   expand a file name format for the sample picture\n"
           "  lng      check a language file, or write a template for translators\n";
    for (const ToolCommand& command : PlatformCommands()) {
        out << "  " << Utf8FromUtf16(command.name) << "   " << command.summary << "\n";
    }
    out << "Run \"camfolio-tool COMMAND --help\" for the options of a command.\n";
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
    if (args[0] == u"lng") {
        return RunLngCommand(args.subspan(1), out, err);
    }
    for (const ToolCommand& command : PlatformCommands()) {
        if (args[0] == command.name) {
            return command.run(args.subspan(1), out, err);
        }
    }
    err << "camfolio-tool: unknown command\n";
    PrintUsage(err);
    return 2;
}
