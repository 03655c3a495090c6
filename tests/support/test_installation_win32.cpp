#include "tests/support/test_installation_win32.h"

#include <windows.h>

#include "common/system/module_path_win32.h"
#include "common/win32/wide_win32.h"

std::u16string BuildTreeFolder(const char16_t* relative) {
    char16_t folder[260];
    GetOwnModuleFolder(folder, 260);  // ...\build\win64\tests
    std::u16string path = folder;
    path.resize(path.find_last_of(u'\\') + 1);
    return path + relative;
}

bool Is32BitProcess(HANDLE process) {
    BOOL wow64 = FALSE;
    return IsWow64Process(process, &wow64) != FALSE && wow64 != FALSE;
}

TestInstallation::TestInstallation(RegistrySandbox& registry) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::u16string(AsU16(temp)) + u"Camfolio Install Test";
    CreateDirectoryW(AsWide(folder_.c_str()), nullptr);
    registry.SetInstallDir(folder_.c_str());
}

TestInstallation::~TestInstallation() {
    for (const char16_t* name : {u"Camfolio.exe", u"Camfolio.dll", u"Camfolio.cpl",
                                 u"CamfolioFmt.exe", u"dokan.dll", u"notes.txt"}) {
        DeleteFileW(AsWide((folder_ + u"\\" + name).c_str()));
    }
    RemoveDirectoryW(AsWide(folder_.c_str()));
}

bool TestInstallation::Install(const char16_t* from, const char16_t* name, const char16_t* as) {
    const std::u16string source = BuildTreeFolder(from) + u"\\" + name;
    const std::u16string target = folder_ + u"\\" + (as != nullptr ? as : name);
    return CopyFileW(AsWide(source.c_str()), AsWide(target.c_str()), FALSE) != FALSE;
}

bool TestInstallation::InstallConsistent(const char16_t* dokanVariant) {
    return Install(u"standins\\mapper", u"Camfolio.exe") &&
           Install(u"standins\\mapper", u"Camfolio.exe", u"Camfolio.cpl") &&
           Install(u"standins\\shell-library-current", u"Camfolio.dll") &&
           Install(dokanVariant, u"dokan.dll");
}
