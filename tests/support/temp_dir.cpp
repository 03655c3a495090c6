#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>

TempDir::TempDir() {
    std::random_device random;
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path candidate =
            base / ("camfolio-test-" + std::to_string(random()));
        if (std::filesystem::create_directory(candidate)) {
            path_ = candidate;
            return;
        }
    }
    ADD_FAILURE() << "no temporary folder could be made in " << base;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::u16string TempDir::Write(std::string_view name, std::span<const std::byte> bytes) const {
    const std::filesystem::path file = path_ / name;
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    EXPECT_TRUE(out.good()) << "cannot write " << file;
    return file.u16string();
}

std::u16string TempDir::MakeFolder(std::string_view name) const {
    const std::filesystem::path folder = path_ / name;
    std::filesystem::create_directory(folder);
    return folder.u16string();
}
