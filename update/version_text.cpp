#include "update/version_text.h"

#include <array>

#include "camfolio_version.h"
#include "common/catalogue/i18n_accessors.h"
#include "common/catalogue/i18n_format.h"
#include "common/catalogue/text_ids.h"
#include "common/system/vendor_site.h"
#include "diag/text/bounded_format.h"
#include "diag/text/text_units.h"

namespace {

constexpr std::size_t kQuestionUnits = 300;

// One "%d" as the C library reads it: blanks, a sign, digits.
std::optional<int> ReadNumber(std::string_view& text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || !IsAsciiDigit(text.front())) {
        return std::nullopt;
    }
    long long value = 0;
    while (!text.empty() && IsAsciiDigit(text.front())) {
        value = std::min(value * 10 + (text.front() - '0'), 0x7FFFFFFFLL);
        text.remove_prefix(1);
    }
    return static_cast<int>(negative ? -value : value);
}

}  // namespace

ProductVersion OwnVersion() {
    return {CAMFOLIO_VERSION_MAJOR, CAMFOLIO_VERSION_MINOR, CAMFOLIO_VERSION_PATCH,
            CAMFOLIO_VERSION_BUILD};
}

std::optional<ProductVersion> ParseVersionText(std::string_view text) {
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) {
        text.remove_suffix(1);
    }
    std::array<int, 4> numbers{};
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (i > 0) {
            if (!text.starts_with('.')) {
                return std::nullopt;
            }
            text.remove_prefix(1);
        }
        const auto number = ReadNumber(text);
        if (!number) {
            return std::nullopt;
        }
        numbers[i] = *number;
    }
    return ProductVersion{numbers[0], numbers[1], numbers[2], numbers[3]};
}

bool IsNewerThanOwn(const ProductVersion& latest) {
    return latest.build > OwnVersion().build;
}

std::string UserAgent() {
    const ProductVersion own = OwnVersion();
    std::array<char, 100> agent{};
    const FormatResult written =
        FormatBoundedArgs(agent.data(), agent.size(), "Camfolio %d.%d.%d.%d", own.major, own.minor,
                          own.release, own.build);
    return std::string(agent.data(), written.length);
}

std::u16string AlreadyLatestMessage() {
    std::array<char16_t, kQuestionUnits> text{};
    const int length =
        I18N_wsprintf(text.data(), static_cast<int>(text.size()), text_id::kLatestInstalled,
                      MarkerType::String, FormatArg(kProductName), 0);
    return std::u16string(text.data(), static_cast<std::size_t>(length));
}

std::u16string NewVersionQuestion(const ProductVersion& latest) {
    const ProductVersion own = OwnVersion();
    std::array<char16_t, kQuestionUnits> piece{};
    std::u16string question;
    const auto append = [&](int length) {
        question.append(piece.data(), static_cast<std::size_t>(length));
    };
    const int capacity = static_cast<int>(piece.size());
    append(I18N_wsprintf(piece.data(), capacity, text_id::kNewVersionAvailable, MarkerType::String,
                         FormatArg(kProductName), 0));
    question += u"\n\n";
    const auto versionLine = [&](const char16_t* label, int major, int minor, int build,
                                 const char16_t* end) {
        question += label;
        append(static_cast<int>(FormatBoundedArgs(piece.data(), piece.size(), u":\t%d.%d (%s %d)%s",
                                                  major, minor, I18N_Build(0), build, end)
                                    .length));
    };
    versionLine(I18N_YourVersion(0), own.major, own.minor, own.build, u"\n");
    versionLine(I18N_LatestVersion(0), latest.major, latest.minor, latest.build, u"\n\n");
    append(I18N_wsprintf(piece.data(), capacity, text_id::kVisitWebsite, MarkerType::String,
                         FormatArg(kProductName), 0));
    // The message's buffer holds 299 units.
    if (question.size() > kQuestionUnits - 1) {
        question.resize(kQuestionUnits - 1);
    }
    return question;
}
