#include <cstdio>

#include "common/language/file_source.h"
#include "diag/text/utf8.h"

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

class PosixFileSource final : public ByteSource {
  public:
    explicit PosixFileSource(std::FILE* file) : file_(file) {}
    std::size_t Read(std::span<std::byte> out) override {
        return std::fread(out.data(), 1, out.size(), file_.get());
    }

  private:
    std::unique_ptr<std::FILE, FileCloser> file_;
};

}  // namespace

std::unique_ptr<ByteSource> OpenFileSource(const char16_t* path) {
    if (path == nullptr) {
        return nullptr;
    }
    std::FILE* file = std::fopen(Utf8FromUtf16(path).c_str(), "rb");
    if (file == nullptr) {
        return nullptr;
    }
    return std::make_unique<PosixFileSource>(file);
}
