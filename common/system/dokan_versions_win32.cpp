#include "common/system/dokan_versions_win32.h"

#include <windows.h>

#include <memory>
#include <string>

#include "common/system/module_path_win32.h"
#include "common/win32/wide_win32.h"
#include "config/mapper_contract.h"

namespace {

using VersionFn = ULONG(WINAPI*)();

struct LibraryCloser {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
using Library = std::unique_ptr<std::remove_pointer_t<HMODULE>, LibraryCloser>;

Library LoadDokan() {
    char16_t shellLibrary[260];
    if (BuildModulePath(shellLibrary, std::size(shellLibrary), contract::kShellLibraryFile,
                        false)) {
        std::u16string path = shellLibrary;
        path.resize(path.find_last_of(u'\\') + 1);
        path += contract::kDokanLibraryFile;
        if (HMODULE beside =
                LoadLibraryExW(AsWide(path.c_str()), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH)) {
            return Library(beside);
        }
    }
    return Library(LoadLibraryW(AsWide(contract::kDokanLibraryFile)));
}

std::uint32_t Ask(HMODULE library, const char* name) {
    const auto query =
        reinterpret_cast<VersionFn>(reinterpret_cast<void*>(GetProcAddress(library, name)));
    return query != nullptr ? query() : 0;
}

}  // namespace

DokanVersions QueryDokanVersions() {
    const Library library = LoadDokan();
    if (library == nullptr) {
        return {};
    }
    return {Ask(library.get(), "DokanVersion"), Ask(library.get(), "DokanDriverVersion")};
}
