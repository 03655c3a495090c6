#pragma once
// The drive letters a profile may be given: the letters from Z down to C that
// are free or carry removable media.
#include <functional>
#include <string>
#include <vector>

// The letters offered, highest first. driveType answers as GetDriveTypeEx
// for the letter's root: 1 (no such drive) and 2 (removable media, or a free
// letter remembered for a network connection) are offered; fixed, network,
// optical and RAM drives are not.
std::vector<char16_t> OfferedDriveLetters(const std::function<unsigned(char16_t)>& driveType);

// The text of a letter's list entry: "X: ".
std::u16string DriveLetterEntry(char16_t letter);

// The entry to select for a stored letter (case-blind); the first entry, and
// changed, when the letter is not offered.
struct DriveLetterChoice {
    int index = 0;
    bool changed = false;
};
DriveLetterChoice ChooseDriveLetter(const std::vector<char16_t>& offered, char16_t stored);

// The letter a selected entry stands for: its first unit in upper case.
char16_t DriveLetterOfEntry(std::u16string_view entry);
