#include "tools/camfolio-tool/settings_command_win32.h"

#include <cstdint>
#include <optional>

#include "config/settings_registry.h"
#include "diag/text/bounded_format.h"
#include "diag/text/text_units.h"
#include "diag/text/utf8.h"

namespace {

void PrintUsage(std::ostream& out) {
    out << "Usage: camfolio-tool settings\n"
           "       camfolio-tool settings set NAME VALUE\n"
           "NAME is one of CacheSize (MiB), Flags (decimal or 0x hexadecimal), CacheRoot,\n"
           "CacheRootPending, LngFile (a file name; empty for built-in English) and\n"
           "FormatString (the default profile's format).\n";
}

std::string Text(const char16_t* text) {
    return text != nullptr ? Utf8FromUtf16(text) : "";
}

void PrintSettings(std::ostream& out) {
    char16_t buffer[kPathUnits];
    out << "CacheSize=" << Registry_Get_CacheSize() << "\n";
    out << "CacheRoot=" << Text(Registry_Get_CacheRoot(buffer, kPathUnits, true)) << "\n";
    out << "CacheRootPending=" << Text(Registry_Get_CacheRootPending(buffer, kPathUnits)) << "\n";
    char flags[16];
    FormatBoundedArgs(flags, sizeof flags, "0x%08X", Registry_Get_Flags());
    out << "Flags=" << flags << "\n";
    out << "LngFile=" << Text(Registry_Get_LngFile(buffer, kPathUnits)) << "\n";
    char16_t format[kPathUnits * 2];
    out << "FormatString=" << Text(Registry_Get_DefaultFormatString(format, std::size(format)))
        << "\n";
}

std::optional<std::uint32_t> ParseNumber(const std::u16string& text) {
    const bool hex = text.size() > 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X');
    const unsigned base = hex ? 16 : 10;
    std::uint64_t value = 0;
    if (text.size() == (hex ? 2u : 0u)) {
        return std::nullopt;
    }
    for (std::size_t i = hex ? 2 : 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        unsigned digit = 0;
        if (IsAsciiDigit(c)) {
            digit = c - u'0';
        } else if (hex && c >= u'a' && c <= u'f') {
            digit = c - u'a' + 10;
        } else if (hex && c >= u'A' && c <= u'F') {
            digit = c - u'A' + 10;
        } else {
            return std::nullopt;
        }
        value = value * base + digit;
        if (value > UINT32_MAX) {
            return std::nullopt;
        }
    }
    return static_cast<std::uint32_t>(value);
}

// The write, or null when the name or value is not one the settings take.
std::optional<bool> Write(const std::u16string& name, const std::u16string& value) {
    if (name == u"CacheSize" || name == u"Flags") {
        const std::optional<std::uint32_t> number = ParseNumber(value);
        if (!number || (name == u"CacheSize" && *number > INT32_MAX)) {
            return std::nullopt;
        }
        return name == u"Flags" ? Registry_Set_Flags(*number)
                                : Registry_Set_CacheSize(static_cast<int>(*number));
    }
    if (name == u"CacheRoot") {
        return Registry_Set_CacheRoot(value.c_str());
    }
    if (name == u"CacheRootPending") {
        return Registry_Set_CacheRootPending(value.c_str());
    }
    if (name == u"LngFile") {
        return Registry_Set_LngFile(value.empty() ? nullptr : value.c_str());
    }
    if (name == u"FormatString") {
        return Registry_Set_DefaultFormatString(value.c_str());
    }
    return std::nullopt;
}

}  // namespace

int RunSettingsCommand(std::span<const std::u16string> args, std::ostream& out, std::ostream& err) {
    if (args.size() == 1 && args[0] == u"--help") {
        PrintUsage(out);
        return 0;
    }
    if (args.empty()) {
        PrintSettings(out);
        return 0;
    }
    if (args.size() != 3 || args[0] != u"set") {
        PrintUsage(err);
        return 2;
    }
    const std::optional<bool> written = Write(args[1], args[2]);
    if (!written) {
        err << "camfolio-tool settings: cannot set " << Utf8FromUtf16(args[1]) << " to \""
            << Utf8FromUtf16(args[2]) << "\"\n";
        PrintUsage(err);
        return 2;
    }
    if (!*written) {
        err << "camfolio-tool settings: writing " << Utf8FromUtf16(args[1])
            << " to the registry failed\n";
        return 1;
    }
    return 0;
}
