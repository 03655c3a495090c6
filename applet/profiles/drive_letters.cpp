#include "applet/profiles/drive_letters.h"

#include "diag/text/text_units.h"

namespace {
constexpr unsigned kNoRootDirectory = 1;
constexpr unsigned kRemovable = 2;
}  // namespace

std::vector<char16_t> OfferedDriveLetters(const std::function<unsigned(char16_t)>& driveType) {
    std::vector<char16_t> offered;
    for (char16_t letter = u'Z'; letter >= u'C'; --letter) {
        const unsigned type = driveType(letter);
        if (type == kNoRootDirectory || type == kRemovable) {
            offered.push_back(letter);
        }
    }
    return offered;
}

std::u16string DriveLetterEntry(char16_t letter) {
    return {letter, u':', u' '};
}

DriveLetterChoice ChooseDriveLetter(const std::vector<char16_t>& offered, char16_t stored) {
    for (std::size_t i = 0; i < offered.size(); ++i) {
        if (FoldAscii(offered[i]) == FoldAscii(stored)) {
            return {static_cast<int>(i), false};
        }
    }
    return {0, true};
}

char16_t DriveLetterOfEntry(std::u16string_view entry) {
    return entry.empty() ? u'\0' : UpperAscii(entry.front());
}
