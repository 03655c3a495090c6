#pragma once
// Language files: UTF-16LE text files that translate the catalogue's plain
// ids. The reader checks a file as the applet accepts it and hands back its
// ids and texts as two parallel lists. Reasons for refusing a file go to the
// trace (tag I56), never to the user.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/language/byte_source.h"

enum class LanguageFileProblem : std::uint8_t {
    None,
    CannotOpen,
    NoByteOrderMark,
    WrongVersion,
    UnsupportedKeyword,
    MissingKeyword,
    RepeatedKeyword,
};

struct LanguageFileVerdict {
    LanguageFileProblem problem = LanguageFileProblem::None;
    std::u16string keyword;  // the unsupported, missing or repeated keyword
    std::int32_t foundVersion = 0;
    std::int32_t expectedVersion = 0;
    // Reading stops early at a repeated id, an unsupported keyword or a wrong
    // version: the 1-based line, 0 when every line was read.
    std::size_t stopLine = 0;
    std::int32_t duplicateId = 0;  // non-zero when a repeated id stopped the reading

    bool Accepted() const { return problem == LanguageFileProblem::None; }
};

// Why the file was refused, worded as in the trace; empty when accepted.
std::u16string DescribeProblem(const LanguageFileVerdict& verdict);

// A caller's buffer for one header value; a null text means not wanted.
struct LanguageNameBuffer {
    char16_t* text = nullptr;
    std::size_t capacity = 0;
};

struct LanguageFileRequest {
    // The output lists, both or neither (then the file is only checked). Texts
    // come with every "%" doubled. On rejection both are emptied.
    std::vector<std::int32_t>* ids = nullptr;
    std::vector<std::u16string>* strings = nullptr;
    std::int32_t expectedVersion = 1;
    LanguageNameBuffer langId;
    LanguageNameBuffer langNative;
    LanguageNameBuffer langEnglish;
};

LanguageFileVerdict ReadLanguageFile(ByteSource& source, const LanguageFileRequest& request);
LanguageFileVerdict LoadLanguageFile(const char16_t* path, const LanguageFileRequest& request);

// The applet's form of LoadLanguageFile: non-zero when the file is accepted.
// Both lists or neither; each name buffer is optional.
int I18N_LoadFile(const char16_t* path, std::vector<std::int32_t>* ids,
                  std::vector<std::u16string>* strings, int expectedVersion, char16_t* langId,
                  std::size_t langIdSize, char16_t* langNative, std::size_t langNativeSize,
                  char16_t* langEnglish, std::size_t langEnglishSize);
