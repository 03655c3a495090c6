#include "applet/profiles/profile_example.h"

#include <array>
#include <vector>

#include "applet/profiles/builder_command.h"
#include "common/format/format_file_name.h"
#include "common/format/source_file_info.h"
#include "diag/text/text_units.h"

std::optional<std::u16string> ProfileExample(std::u16string_view format,
                                             std::uint64_t captureTime) {
    const std::u16string_view used = FormatToEdit(format);
    // The engine trims and normalises its copy in place.
    std::vector<char16_t> copy(used.begin(), used.end());
    copy.push_back(u'\0');
    std::array<char16_t, kPathUnits> result{};
    const SourceFileInfo sample = SampleSourceFile(captureTime);
    const bool ok = FormatFileName(true, nullptr, result.data(), result.size(), copy.data(),
                                   static_cast<int>(copy.size()), &sample);
    if (!IsUsableFileName(ok, result.data())) {
        return std::nullopt;
    }
    const std::u16string_view name(result.data());
    return std::u16string(name.starts_with(u'\\') ? name.substr(1) : name);
}
