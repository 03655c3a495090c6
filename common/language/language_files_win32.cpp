#include "common/language/language_files_win32.h"

#include <windows.h>

#include "common/language/language_file.h"
#include "common/paths/folder_listing_win32.h"
#include "common/paths/known_folders_win32.h"
#include "common/win32/wide_win32.h"
#include "diag/text/text_units.h"
#include "diag/trace/trace.h"
#include "wialib/names/result_name.h"

namespace {

constexpr std::size_t kNameUnits = 50;
constexpr int kLanguageFileVersion = 1;

}  // namespace

void EnumLngFilesIn(const char16_t* folder, std::vector<std::u16string>& names,
                    std::vector<std::u16string>& paths) {
    if (folder == nullptr) {
        return;
    }
    const std::u16string pattern = JoinPath(folder, u"*.lng");
    WIN32_FIND_DATAW found{};
    const FindHandle search(FindFirstFileW(AsWide(pattern.c_str()), &found));
    if (!search.IsValid()) {
        return;
    }
    do {
        if (IsDotEntry(found.cFileName) || (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            continue;
        }
        const std::u16string path = JoinPath(folder, AsU16(found.cFileName));
        char16_t native[kNameUnits] = {};
        char16_t english[kNameUnits] = {};
        if (I18N_LoadFile(path.c_str(), nullptr, nullptr, kLanguageFileVersion, nullptr, 0, native,
                          kNameUnits, english, kNameUnits) != 0) {
            names.push_back(std::u16string(native) + u" (" + english + u")");
            paths.push_back(path);
        }
    } while (FindNextFileW(search.Get(), &found));
}

int I18N_EnumLngFiles(std::vector<std::u16string>* names, std::vector<std::u16string>* paths) {
    constexpr const char16_t* kTag = u"I66@I18N_EnumLngFiles: ";
    TraceEnter(kTag);
    char16_t folder[kPathUnits] = {};
    if (names != nullptr && paths != nullptr && GetCommonAppDataFolder(folder, kPathUnits)) {
        EnumLngFilesIn((std::u16string(folder) + u"\\Camfolio").c_str(), *names, *paths);
    }
    TraceReturn(kTag, 0, ResultName(0));
    return 0;
}
