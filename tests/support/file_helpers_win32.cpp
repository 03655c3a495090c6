#include "tests/support/file_helpers_win32.h"

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

void RemoveTree(const std::u16string& path) {
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(path), ignored);
}
