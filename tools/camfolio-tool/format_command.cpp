#include "tools/camfolio-tool/format_command.h"

#include <cstdint>
#include <optional>
#include <vector>

#include "builder/convert/format_html.h"
#include "common/format/calendar.h"
#include "common/format/format_file_name.h"
#include "common/format/local_time.h"
#include "common/format/source_file_info.h"
#include "diag/text/text_units.h"
#include "diag/text/utf8.h"

namespace {

// The applet's buffers for names and formats.
constexpr std::size_t kNameCapacity = kPathUnits;

struct FormatOptions {
    std::u16string format;
    std::optional<std::uint64_t> time;
    bool noCounter = false;
    std::optional<std::int32_t> counter;
    std::optional<std::u16string> source, dir, camera, width, height;
    bool validate = true;
    bool normalise = true;
};

bool ParseFixedDigits(std::u16string_view text, std::size_t at, std::size_t count, int& value) {
    value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (i >= text.size() || text[i] < u'0' || text[i] > u'9') {
            return false;
        }
        value = value * 10 + (text[i] - u'0');
    }
    return true;
}

// YYYY-MM-DDTHH:MM:SS, local time.
std::optional<std::uint64_t> ParseTime(std::u16string_view text) {
    CalendarTime fields;
    if (text.size() != 19 || text[4] != u'-' || text[7] != u'-' || text[10] != u'T' ||
        text[13] != u':' || text[16] != u':' || !ParseFixedDigits(text, 0, 4, fields.year) ||
        !ParseFixedDigits(text, 5, 2, fields.month) || !ParseFixedDigits(text, 8, 2, fields.day) ||
        !ParseFixedDigits(text, 11, 2, fields.hour) ||
        !ParseFixedDigits(text, 14, 2, fields.minute) ||
        !ParseFixedDigits(text, 17, 2, fields.second)) {
        return std::nullopt;
    }
    std::uint64_t fileTime = 0;
    if (!CalendarToFileTime(fields, &fileTime)) {
        return std::nullopt;
    }
    return fileTime;
}

std::optional<std::int32_t> ParseCounter(std::u16string_view text) {
    std::size_t i = text.size() > 0 && text[0] == u'-' ? 1 : 0;
    if (i == text.size()) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < u'0' || text[i] > u'9' || value > INT32_MAX) {
            return std::nullopt;
        }
        value = value * 10 + (text[i] - u'0');
    }
    value = text[0] == u'-' ? -value : value;
    if (value < INT32_MIN || value > INT32_MAX) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

// Fills options from the arguments; on failure says why in error.
bool ParseOptions(std::span<const std::u16string> args, FormatOptions& options,
                  std::string& error) {
    bool haveFormat = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::u16string& arg = args[i];
        const auto value = [&]() -> const std::u16string* {
            return i + 1 < args.size() ? &args[++i] : nullptr;
        };
        std::optional<std::u16string>* text = arg == u"--source"   ? &options.source
                                              : arg == u"--dir"    ? &options.dir
                                              : arg == u"--camera" ? &options.camera
                                              : arg == u"--width"  ? &options.width
                                              : arg == u"--height" ? &options.height
                                                                   : nullptr;
        if (text != nullptr) {
            const std::u16string* v = value();
            if (v == nullptr) {
                error = Utf8FromUtf16(arg) + " needs a value";
                return false;
            }
            *text = *v;
        } else if (arg == u"--time") {
            const std::u16string* v = value();
            options.time = v != nullptr ? ParseTime(*v) : std::nullopt;
            if (!options.time) {
                error = "--time needs a local time as YYYY-MM-DDTHH:MM:SS";
                return false;
            }
        } else if (arg == u"--counter") {
            const std::u16string* v = value();
            if (v != nullptr && *v == u"none") {
                options.noCounter = true;
                options.counter.reset();
            } else if (v != nullptr && (options.counter = ParseCounter(*v))) {
                options.noCounter = false;
            } else {
                error = "--counter needs a 32-bit integer or \"none\"";
                return false;
            }
        } else if (arg == u"--no-validate") {
            options.validate = false;
        } else if (arg == u"--no-normalise") {
            options.normalise = false;
        } else if (arg.size() > 1 && arg[0] == u'-' && arg[1] == u'-') {
            error = "unknown option " + Utf8FromUtf16(arg);
            return false;
        } else if (haveFormat) {
            error = "only one format may be given";
            return false;
        } else {
            options.format = arg;
            haveFormat = true;
        }
    }
    if (!haveFormat) {
        error = "no format given";
        return false;
    }
    return true;
}

bool Contains(std::span<const std::u16string> args, std::u16string_view option) {
    for (const std::u16string& arg : args) {
        if (arg == option) {
            return true;
        }
    }
    return false;
}

bool IsOption(const std::u16string& arg) {
    return arg.size() > 1 && arg[0] == u'-' && arg[1] == u'-';
}

// "--describe FORMAT": the token editor's body HTML for FORMAT.
int RunDescribe(std::span<const std::u16string> args, std::ostream& out, std::ostream& err) {
    const std::u16string* format = nullptr;
    std::string error;
    for (const std::u16string& arg : args) {
        if (arg == u"--describe") {
            continue;
        }
        if (IsOption(arg)) {
            error = Utf8FromUtf16(arg) + " does not go with --describe";
        } else if (format != nullptr) {
            error = "only one format may be given";
        } else {
            format = &arg;
        }
    }
    if (error.empty() && format == nullptr) {
        error = "no format given";
    }
    if (!error.empty()) {
        err << "camfolio-tool format: " << error << "\n";
        PrintFormatUsage(err);
        return 2;
    }
    const FormatHtml html = FormatToHtml(*format);
    if (!html.ok) {
        err << "Invalid format\n";
        return 1;
    }
    out << Utf8FromUtf16(html.bodyHtml) << "\n"
        << "case: " << html.caseIndex << "\n";
    return 0;
}

// "--from-html HTML [--case N]": the format the editor's body HTML stands for.
int RunFromHtml(std::span<const std::u16string> args, std::ostream& out, std::ostream& err) {
    std::optional<std::u16string> html;
    int caseIndex = 0;
    std::string error;
    for (std::size_t i = 0; i < args.size() && error.empty(); ++i) {
        const std::u16string* value = i + 1 < args.size() ? &args[i + 1] : nullptr;
        if (args[i] == u"--from-html" && value != nullptr) {
            html = *value;
            ++i;
        } else if (args[i] == u"--case" && value != nullptr && value->size() == 1 &&
                   (*value)[0] >= u'0' && (*value)[0] <= u'2') {
            caseIndex = (*value)[0] - u'0';
            ++i;
        } else if (args[i] == u"--from-html") {
            error = "--from-html needs the body HTML";
        } else if (args[i] == u"--case") {
            error = "--case needs 0 (unchanged), 1 (lower case) or 2 (upper case)";
        } else {
            error = Utf8FromUtf16(args[i]) + " does not go with --from-html";
        }
    }
    if (error.empty() && !html) {
        error = "--from-html needs the body HTML";
    }
    if (!error.empty()) {
        err << "camfolio-tool format: " << error << "\n";
        PrintFormatUsage(err);
        return 2;
    }
    out << Utf8FromUtf16(HtmlToFormat(*html, caseIndex)) << "\n";
    return 0;
}

}  // namespace

void PrintFormatUsage(std::ostream& out) {
    out << "Usage: camfolio-tool format [options] FORMAT\n"
           "       camfolio-tool format --describe FORMAT\n"
           "       camfolio-tool format --from-html HTML [--case N]\n"
           "Expands FORMAT for the sample picture DSC_0057.JPG as the applet shows it.\n"
           "  --time YYYY-MM-DDTHH:MM:SS  local capture time (default: now)\n"
           "  --counter N | none          picture counter (default: 1)\n"
           "  --source NAME               source file name (default: DSC_0057.JPG)\n"
           "  --dir DIR                   source directory, may be empty (default: \\CameraDir\\)\n"
           "  --camera TEXT               camera name (default: D90)\n"
           "  --width TEXT                image width (default: 4288)\n"
           "  --height TEXT               image height (default: 2848)\n"
           "  --no-validate               expand as the builder's live example does\n"
           "  --no-normalise              validate but leave the format as it is\n"
           "Prints the expanded path and, when the format was normalised, the normalised\n"
           "format. Exit code 0 on success, 1 when the format is invalid, 2 on bad usage.\n"
           "--describe prints the builder's editor contents for FORMAT (body HTML, then\n"
           "\"case: N\" for its case list entry); --from-html prints the format that the\n"
           "editor's body HTML and case list entry N (0 unchanged, 1 lower case, 2 upper\n"
           "case; default 0) stand for.\n";
}

int RunFormatCommand(std::span<const std::u16string> args, std::ostream& out, std::ostream& err) {
    for (const std::u16string& arg : args) {
        if (arg == u"--help") {
            PrintFormatUsage(out);
            return 0;
        }
    }
    if (Contains(args, u"--describe")) {
        return RunDescribe(args, out, err);
    }
    if (Contains(args, u"--from-html")) {
        return RunFromHtml(args, out, err);
    }
    FormatOptions options;
    std::string error;
    if (!ParseOptions(args, options, error)) {
        err << "camfolio-tool format: " << error << "\n";
        PrintFormatUsage(err);
        return 2;
    }

    SourceFileInfo source = SampleSourceFile(options.time.value_or(LocalNowFileTime()));
    if (options.noCounter) {
        source.counter.reset();
    } else if (options.counter) {
        source.counter = options.counter;
    }
    const auto apply = [](const std::optional<std::u16string>& given, const char16_t*& field) {
        if (given) {
            field = given->c_str();
        }
    };
    apply(options.source, source.sourceName);
    apply(options.dir, source.sourceDirectory);
    apply(options.camera, source.cameraName);
    apply(options.width, source.imageWidth);
    apply(options.height, source.imageHeight);

    std::vector<char16_t> format(options.format.begin(), options.format.end());
    format.resize(std::max(format.size() + 1, kNameCapacity), u'\0');
    const int formatCapacity = options.normalise ? static_cast<int>(options.format.size() + 1) : -1;
    char16_t result[kNameCapacity] = {};
    const bool ok = FormatFileName(options.validate, nullptr, result, kNameCapacity, format.data(),
                                   formatCapacity, &source);
    if (!ok) {
        // A late failure (misplaced <P>, result too long) still left a result.
        if (result[0] != u'\0') {
            out << Utf8FromUtf16(result) << "\n";
        }
        err << "Invalid format\n";
        return 1;
    }
    out << Utf8FromUtf16(result) << "\n";
    if (options.validate && options.normalise) {
        out << Utf8FromUtf16(format.data()) << "\n";
    }
    return 0;
}
