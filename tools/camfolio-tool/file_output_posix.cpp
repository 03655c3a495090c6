#include <cstdio>
#include <memory>

#include "diag/text/utf8.h"
#include "tools/camfolio-tool/file_output.h"

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

bool WriteWholeFile(const char16_t* path, std::span<const std::byte> bytes) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(Utf8FromUtf16(path).c_str(), "wb"));
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
    // Closing flushes: its failure is a failed write too.
    return std::fclose(file.release()) == 0 && written;
}
