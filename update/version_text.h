#pragma once
// The version file's text ("4.1.0.270", maybe with a line end) and what the
// user is told about it.
#include <array>
#include <optional>
#include <string>
#include <string_view>

// The applet's own version, from the one version definition.
struct ProductVersion {
    int major;
    int minor;
    int release;
    int build;
};
ProductVersion OwnVersion();

// The four numbers at the start of text, read as "%d.%d.%d.%d" after the
// trailing line ends are removed; nullopt when fewer than four are there.
std::optional<ProductVersion> ParseVersionText(std::string_view text);

// Only the build number is compared.
bool IsNewerThanOwn(const ProductVersion& latest);

// "Camfolio %d.%d.%d.%d" with the own version.
std::string UserAgent();

// The message that the own version is the latest.
std::u16string AlreadyLatestMessage();

// The question offering the download of latest, in the catalogue's language
// (at most 299 units).
std::u16string NewVersionQuestion(const ProductVersion& latest);
