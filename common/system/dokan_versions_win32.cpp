#include "common/system/dokan_versions_win32.h"

#include <windows.h>

#include <string>

#include "common/system/module_path_win32.h"
#include "common/win32/ownership_win32.h"
#include "common/win32/wide_win32.h"
#include "config/mapper_contract.h"
#include "diag/text/text_units.h"

namespace {

using VersionFn = ULONG(WINAPI*)();

UniqueModule LoadDokan() {
    char16_t shellLibrary[kPathUnits];
    if (BuildModulePath(shellLibrary, std::size(shellLibrary), contract::kShellLibraryFile,
                        false)) {
        std::u16string path = shellLibrary;
        path.resize(path.find_last_of(u'\\') + 1);
        path += contract::kDokanLibraryFile;
        if (HMODULE beside =
                LoadLibraryExW(AsWide(path.c_str()), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH)) {
            return UniqueModule(beside);
        }
    }
    return UniqueModule(LoadLibraryW(AsWide(contract::kDokanLibraryFile)));
}

std::uint32_t Ask(HMODULE library, const char* name) {
    const auto query =
        reinterpret_cast<VersionFn>(reinterpret_cast<void*>(GetProcAddress(library, name)));
    return query != nullptr ? query() : 0;
}

}  // namespace

DokanVersions QueryDokanVersions() {
    const UniqueModule library = LoadDokan();
    if (!library.IsValid()) {
        return {};
    }
    return {Ask(library.Get(), "DokanVersion"), Ask(library.Get(), "DokanDriverVersion")};
}
