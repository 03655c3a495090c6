#include "diag/log/log_file_win32.h"

#include <string>
#include <vector>

#include "common/paths/path_helpers.h"
#include "common/system/file_version_win32.h"
#include "common/system/installation_check_win32.h"
#include "common/system/module_path_win32.h"
#include "common/win32/wide_win32.h"
#include "common/windows_version/windows_version.h"
#include "config/mapper_contract.h"
#include "config/reg_key_win32.h"
#include "config/settings_registry.h"
#include "diag/strings/bounded_string.h"
#include "diag/text/quiet_string.h"
#include "diag/text/text_units.h"

namespace {

constexpr char16_t kDoubleRule[] =
    u"=============================================================\r\n";
constexpr char16_t kSingleRule[] =
    u"-------------------------------------------------------------\r\n";
constexpr std::uint32_t kDefaultDokanVersion = 800;
constexpr int kLabelWidth = 15;

// Log text is written in the ANSI code page, as people read it.
void WriteAnsi(HANDLE file, const std::u16string& text) {
    if (text.empty()) {
        return;
    }
    const int bytes =
        WideCharToMultiByte(CP_ACP, 0, AsWide(text.c_str()), static_cast<int>(text.size()), nullptr,
                            0, nullptr, nullptr);
    if (bytes <= 0) {
        return;
    }
    std::vector<char> ansi(static_cast<std::size_t>(bytes));
    WideCharToMultiByte(CP_ACP, 0, AsWide(text.c_str()), static_cast<int>(text.size()), ansi.data(),
                        bytes, nullptr, nullptr);
    DWORD written = 0;
    WriteFile(file, ansi.data(), static_cast<DWORD>(ansi.size()), &written, nullptr);
}

std::u16string Printed(const char16_t* format, const FormatArg& arg) {
    char16_t text[64];
    PrintQuietV(text, static_cast<int>(std::size(text)), format, std::span(&arg, 1));
    return text;
}

std::u16string SystemFolderPath(SystemFolder which) {
    wchar_t windows[MAX_PATH] = {};
    const UINT n = GetWindowsDirectoryW(windows, MAX_PATH);
    std::u16string path(AsU16(windows), n < MAX_PATH ? n : 0);
    return path + (which == SystemFolder::System32 ? u"\\System32\\" : u"\\System32\\Drivers\\");
}

std::u16string LastComponent(const std::u16string& path) {
    const std::size_t slash = path.find_last_of(u'\\');
    return slash == std::u16string::npos ? path : path.substr(slash + 1);
}

std::u16string FolderOf(const std::u16string& path) {
    const std::size_t slash = path.find_last_of(u'\\');
    return slash == std::u16string::npos ? std::u16string() : path.substr(0, slash);
}

// "CAMFOLIO.2021-03-04-05-06-07.log" from the old log's last write. A name
// that is taken already gets a number, so no older log is ever lost.
void SetOldLogAside(const std::u16string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(AsWide(path.c_str()), GetFileExInfoStandard, &data)) {
        return;
    }
    FILETIME local{};
    SYSTEMTIME t{};
    if (!FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) ||
        !FileTimeToSystemTime(&local, &t)) {
        return;
    }
    const std::u16string stem = path.substr(0, path.find_last_of(u'.'));
    char16_t stamp[40];
    WsPrintf(stamp, static_cast<int>(std::size(stamp)), u".%04d-%02d-%02d-%02d-%02d-%02d", t.wYear,
             t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
    for (int attempt = 1; attempt <= 99; ++attempt) {
        const std::u16string target =
            stem + stamp + (attempt == 1 ? u"" : Printed(u"-%d", attempt)) + u".log";
        if (MoveFileW(AsWide(path.c_str()), AsWide(target.c_str()))) {
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS && GetLastError() != ERROR_FILE_EXISTS) {
            return;  // the old log is overwritten
        }
    }
}

// Empty when the cache root cannot be had.
std::u16string LogFilePath(bool serviceMode) {
    char16_t cache[kPathUnits];
    if (Registry_Get_CacheRoot(cache, kPathUnits, false) == nullptr) {
        return std::u16string();
    }
    return FolderOf(cache) + u"\\" + (serviceMode ? contract::kServiceLogFile : contract::kLogFile);
}

bool SameFile(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b) {
    return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber &&
           a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow;
}

void WriteInstalledFileLine(HANDLE file, const char16_t* name) {
    char16_t path[kPathUnits];
    if (!BuildModulePath(path, kPathUnits, name, false)) {
        return;
    }
    if (FileExists(path, nullptr)) {
        WriteFileVersionLine(file, static_cast<const char16_t*>(path), nullptr, nullptr);
    } else {
        WriteFileVersionLine(file, SystemFolder::System32, name, nullptr);
    }
}

void WriteDokanLines(HANDLE file) {
    std::uint32_t library = 0;
    std::uint32_t driver = 0;
    CheckInstallation(&library, &driver, true);
    char16_t shellLibrary[kPathUnits];
    const std::u16string beside =
        BuildModulePath(shellLibrary, kPathUnits, contract::kShellLibraryFile, false)
            ? FolderOf(shellLibrary)
            : std::u16string();
    if (!beside.empty() && FileExists(beside.c_str(), contract::kDokanLibraryFile)) {
        WriteFileVersionLine(file, beside.c_str(), contract::kDokanLibraryFile, &library);
    } else {
        WriteFileVersionLine(file, SystemFolder::System32, contract::kDokanLibraryFile, &library);
    }
    WriteFileVersionLine(file, SystemFolder::Drivers, contract::kDokanDriverFile, &driver);
}

void WriteWindowsVersion(HANDLE file) {
    char16_t name[50];
    const std::uint32_t flags = GetWindowsVersionFlags(name, std::size(name));
    WriteAnsi(file, std::u16string(u"OS version  : Windows ") + name +
                        ((flags & winver::k64Bit) != 0 ? u" 64-bit\r\n" : u" 32-bit\r\n") +
                        kSingleRule);
}

}  // namespace

void WriteFileVersionLine(HANDLE file, std::variant<const char16_t*, SystemFolder> where,
                          const char16_t* fileName, const std::uint32_t* dokanVersion) {
    std::u16string path = std::holds_alternative<SystemFolder>(where)
                              ? SystemFolderPath(std::get<SystemFolder>(where))
                              : std::u16string(std::get<const char16_t*>(where));
    if (fileName != nullptr) {
        if (!path.empty() && path.back() != u'\\') {
            path += u'\\';
        }
        path += fileName;
    }
    std::u16string line = fileName != nullptr ? fileName : LastComponent(path);
    line.resize(kLabelWidth, u' ');
    line += u":";
    const std::uint32_t shownDokan = dokanVersion != nullptr ? *dokanVersion : kDefaultDokanVersion;
    char16_t version[30];
    if (FormatFileVersion(path.c_str(), version, std::size(version))) {
        line += std::u16string(u" ") + version + Printed(u" [0x%04X]", shownDokan);
    } else if (FileExists(path.c_str(), nullptr)) {
        line += u" <version information not available>" + Printed(u" [0x%04X]", shownDokan);
    } else {
        line += u" <not found>";
        if (dokanVersion != nullptr) {
            line += Printed(u" [0x%04X]", *dokanVersion);
        }
    }
    WriteAnsi(file, line + u"\r\n");
}

void DumpSettingsToLog(HANDLE file) {
    const RegKey key = RegKey::OpenForRead(HKEY_CURRENT_USER, contract::kSettingsKey);
    if (!key.IsOpen()) {
        return;
    }
    for (DWORD index = 0;; ++index) {
        wchar_t name[199];
        DWORD nameUnits = std::size(name);
        DWORD type = 0;
        const LONG status =
            RegEnumValueW(key.Get(), index, name, &nameUnits, nullptr, &type, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS) {
            break;
        }
        if (status != ERROR_SUCCESS) {
            continue;  // a name too long for the log
        }
        const char16_t* valueName = AsU16(name);
        std::u16string line = nameUnits == 0 ? u"@" : valueName;
        line += u"=";
        if (type == REG_SZ) {
            line += key.ReadString(valueName, 518 / sizeof(char16_t)).value_or(u"");
        } else if (type == REG_DWORD) {
            line += Printed(u"0x%08X", key.ReadDword(valueName).value_or(0));
        } else {
            line += Printed(u"<type=%d>", static_cast<int>(type));
        }
        WriteAnsi(file, line + u"\r\n");
    }
}

UniqueHandle OpenLogFile(bool serviceMode) {
    const std::u16string path = LogFilePath(serviceMode);
    if (path.empty()) {
        return UniqueHandle();
    }
    SetOldLogAside(path);
    // Reading attributes lets a process that takes a duplicate check it is
    // the log (IsLogFile).
    UniqueHandle file(CreateFileW(AsWide(path.c_str()), GENERIC_WRITE | FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                  nullptr));
    if (!file.IsValid()) {
        OutputDebugStringW(L"Cannot open APP log file:");
        OutputDebugStringW(AsWide(path.c_str()));
        OutputDebugStringW(L"\n");
        return UniqueHandle();
    }
    WriteAnsi(file.Get(), kDoubleRule);
    for (const char16_t* name :
         {contract::kMapperFile, contract::kShellLibraryFile, contract::kAppletFile}) {
        WriteInstalledFileLine(file.Get(), name);
    }
    WriteDokanLines(file.Get());
    WriteAnsi(file.Get(), kSingleRule);
    WriteWindowsVersion(file.Get());
    DumpSettingsToLog(file.Get());
    WriteAnsi(file.Get(), kDoubleRule);
    return file;
}

bool IsLogFile(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION held{};
    if (file == nullptr || file == INVALID_HANDLE_VALUE ||
        !GetFileInformationByHandle(file, &held)) {
        return false;  // not a file at all
    }
    // The block's creator may be the mapper running as a service.
    for (const bool serviceMode : {false, true}) {
        const std::u16string path = LogFilePath(serviceMode);
        if (path.empty()) {
            return false;
        }
        // Attributes only: no data access that the writer's sharing would refuse.
        const UniqueHandle named(CreateFileW(AsWide(path.c_str()), FILE_READ_ATTRIBUTES,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                             nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                             nullptr));
        BY_HANDLE_FILE_INFORMATION there{};
        if (named.IsValid() && GetFileInformationByHandle(named.Get(), &there) &&
            SameFile(held, there)) {
            return true;
        }
    }
    return false;
}
