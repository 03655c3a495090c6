#include <windows.h>

#include <utility>

#include "common/language/file_source.h"
#include "common/win32/ownership_win32.h"
#include "common/win32/wide_win32.h"

namespace {

class Win32FileSource final : public ByteSource {
  public:
    explicit Win32FileSource(UniqueHandle file) : file_(std::move(file)) {}
    std::size_t Read(std::span<std::byte> out) override {
        // One ReadFile takes at most a DWORD; callers read in small chunks.
        const DWORD wanted = out.size() > MAXDWORD ? MAXDWORD : static_cast<DWORD>(out.size());
        DWORD got = 0;
        if (!ReadFile(file_.Get(), out.data(), wanted, &got, nullptr)) {
            return 0;
        }
        return got;
    }

  private:
    UniqueHandle file_;
};

}  // namespace

std::unique_ptr<ByteSource> OpenFileSource(const char16_t* path) {
    if (path == nullptr) {
        return nullptr;
    }
    UniqueHandle file(CreateFileW(AsWide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid()) {
        return nullptr;
    }
    return std::make_unique<Win32FileSource>(std::move(file));
}
