#include "applet/profiles/builder_command.h"

#include <array>

#include "config/mapper_contract.h"
#include "diag/text/bounded_format.h"
#include "diag/text/text_units.h"

std::u16string_view FormatToEdit(std::u16string_view current) {
    return current.empty() ? std::u16string_view(contract::kDefaultFormat) : current;
}

std::optional<std::u16string> BuilderCommandLine(std::u16string_view builderPath,
                                                 std::uint32_t window, std::u16string_view format) {
    std::array<char16_t, kPathUnits> line{};
    const FormatResult result =
        format.empty()
            ? FormatBoundedArgs(line.data(), line.size(), u"%s /h %08X", builderPath, window)
            : FormatBoundedArgs(line.data(), line.size(), u"%s /h %08X \"%s\"", builderPath, window,
                                format);
    if (result.truncated) {
        return std::nullopt;
    }
    return std::u16string(line.data(), result.length);
}
