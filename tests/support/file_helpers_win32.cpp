#include "tests/support/file_helpers_win32.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

std::string ReadFileBytes(const std::u16string& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

std::u16string ReadUtf16File(const std::u16string& path) {
    const std::string bytes = ReadFileBytes(path);
    std::u16string text(bytes.size() / 2, u'\0');
    std::memcpy(text.data(), bytes.data(), text.size() * 2);
    return text;
}

void RemoveTree(const std::u16string& path) {
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(path), ignored);
}
