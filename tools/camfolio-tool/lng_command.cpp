#include "tools/camfolio-tool/lng_command.h"

#include "tools/camfolio-tool/lng_check.h"
#include "tools/camfolio-tool/lng_template.h"

void PrintLngUsage(std::ostream& out) {
    out << "Usage: camfolio-tool lng check FILE\n"
           "       camfolio-tool lng template FILE\n"
           "check     says whether the applet accepts the language file and, if not, why;\n"
           "          lists repeated ids, ids that are never shown and translations whose\n"
           "          #1/#2 markers do not fit (they show in English). Exit code 0 when\n"
           "          accepted, 1 when rejected.\n"
           "template  writes a language file with every English text to FILE, as a\n"
           "          starting point for a translation.\n";
}

int RunLngCommand(std::span<const std::u16string> args, std::ostream& out, std::ostream& err) {
    if (args.size() == 1 && args[0] == u"--help") {
        PrintLngUsage(out);
        return 0;
    }
    if (args.size() != 2 || args[1].empty()) {
        err << "camfolio-tool lng: expected check FILE or template FILE\n";
        PrintLngUsage(err);
        return 2;
    }
    if (args[0] == u"check") {
        return RunLngCheck(args[1].c_str(), out);
    }
    if (args[0] == u"template") {
        return RunLngTemplate(args[1].c_str(), err);
    }
    err << "camfolio-tool lng: unknown subcommand\n";
    PrintLngUsage(err);
    return 2;
}
