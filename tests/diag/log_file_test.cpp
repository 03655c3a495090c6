// The log file: rotation and header, in Wine's file system and registry.
#include "diag/log/log_file_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "common/system/module_path_win32.h"
#include "common/win32/wide_win32.h"
#include "config/settings_registry.h"
#include "tests/support/file_helpers_win32.h"
#include "tests/support/registry_sandbox_win32.h"

namespace {

void SetLocalWriteTime(const std::u16string& path, WORD year, WORD month, WORD day, WORD hour,
                       WORD minute, WORD second) {
    const SYSTEMTIME local{year, month, 0, day, hour, minute, second, 0};
    FILETIME localTime{};
    FILETIME utc{};
    ASSERT_TRUE(SystemTimeToFileTime(&local, &localTime));
    ASSERT_TRUE(LocalFileTimeToFileTime(&localTime, &utc));
    HANDLE file = CreateFileW(AsWide(path.c_str()), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    SetFileTime(file, nullptr, nullptr, &utc);
    CloseHandle(file);
}

void WriteText(const std::u16string& path, const char* text) {
    std::ofstream(AsWide(path.c_str()), std::ios::binary) << text;
}

class LogFile : public ::testing::Test {
  protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        root_ = std::u16string(AsU16(temp)) + u"camfolio-log-test";
        folder_ = root_ + u"\\Camfolio";
        Clean();
        CreateDirectoryW(AsWide(root_.c_str()), nullptr);
        ASSERT_TRUE(Registry_Set_CacheRoot(root_.c_str()));
        registry_.RemoveInstallDir();
    }
    void TearDown() override { Clean(); }

    void Clean() {
        WIN32_FIND_DATAW found;
        const std::u16string pattern = folder_ + u"\\*.log";
        HANDLE find = FindFirstFileW(AsWide(pattern.c_str()), &found);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                DeleteFileW(AsWide((folder_ + u"\\" + AsU16(found.cFileName)).c_str()));
            } while (FindNextFileW(find, &found));
            FindClose(find);
        }
        RemoveDirectoryW(AsWide((folder_ + u"\\CAMFOLIO_CACHE").c_str()));
        RemoveDirectoryW(AsWide(folder_.c_str()));
        RemoveDirectoryW(AsWide(root_.c_str()));
    }

    RegistrySandbox registry_;
    std::u16string root_;
    std::u16string folder_;
};

TEST_F(LogFile, OldLogIsSetAsideUnderItsLastWriteTime) {
    CreateDirectoryW(AsWide(folder_.c_str()), nullptr);
    const std::u16string log = folder_ + u"\\CAMFOLIO.log";
    WriteText(log, "old log\r\n");
    SetLocalWriteTime(log, 2021, 3, 4, 5, 6, 7);
    // A log of the same second set aside earlier is kept too.
    WriteText(folder_ + u"\\CAMFOLIO.2021-03-04-05-06-07.log", "older log\r\n");

    UniqueHandle file = OpenLogFile(false);
    ASSERT_TRUE(file.IsValid());
    file.Reset(nullptr);
    EXPECT_EQ(ReadFileBytes(folder_ + u"\\CAMFOLIO.2021-03-04-05-06-07.log"), "older log\r\n");
    EXPECT_EQ(ReadFileBytes(folder_ + u"\\CAMFOLIO.2021-03-04-05-06-07-2.log"), "old log\r\n");
    EXPECT_EQ(ReadFileBytes(log).rfind("=====", 0), 0u) << "the new log starts with its header";
}

TEST_F(LogFile, HeaderNamesFilesDokanWindowsAndSettings) {
    ASSERT_TRUE(Registry_Set_CacheSize(50));
    ASSERT_TRUE(Registry_Set_LngFile(u"Deutsch.lng"));
    UniqueHandle file = OpenLogFile(true);
    ASSERT_TRUE(file.IsValid());
    file.Reset(nullptr);
    const std::string header = ReadFileBytes(folder_ + u"\\CAMFOLIO_SVC.log");
    const char* expected[] = {
        "=============================================================\r\n",
        "dokan.sys      : <not found> [0x0000]\r\n",
        "-------------------------------------------------------------\r\nOS version  : Windows ",
        "CacheSize=0x00000032\r\n",
        "LngFile=Deutsch.lng\r\n",
        "CacheRoot=",
    };
    for (const char* text : expected) {
        EXPECT_NE(header.find(text), std::string::npos) << text << "\n---\n" << header;
    }
    // Without an installation folder no installed file can be named.
    EXPECT_EQ(header.find("Camfolio.exe"), std::string::npos) << header;
}

// A joining process takes a log handle from another process by its value
// alone; only the log file itself, by identity, is good to write into.
TEST_F(LogFile, OnlyTheLogFileItselfIsRecognised) {
    const struct {
        const char* name;
        std::function<UniqueHandle()> open;
        bool isLog;
    } cases[] = {
        {"the applet's log", [] { return OpenLogFile(false); }, true},
        {"the service log", [] { return OpenLogFile(true); }, true},
        {"another file beside the logs",
         [this] {
             return UniqueHandle(CreateFileW(AsWide((folder_ + u"\\other.log").c_str()),
                                             GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
         },
         false},
        {"no file at all", [] { return UniqueHandle(CreateMutexW(nullptr, FALSE, nullptr)); },
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const UniqueHandle handle = c.open();
        ASSERT_TRUE(handle.IsValid());
        EXPECT_EQ(IsLogFile(handle.Get()), c.isLog);
    }
}

TEST_F(LogFile, VersionLines) {
    CreateDirectoryW(AsWide(root_.c_str()), nullptr);
    const std::u16string out = root_ + u"\\lines.txt";
    HANDLE file =
        CreateFileW(AsWide(out.c_str()), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    WriteText(root_ + u"\\plain.txt", "no version here");
    char16_t own[260];
    ASSERT_TRUE(GetOwnModuleFolder(own, 260));
    const std::u16string mapper = std::u16string(own) + u"\\..\\standins\\mapper\\Camfolio.exe";
    const std::uint32_t dokan = 0x190;
    WriteFileVersionLine(file, root_.c_str(), u"plain.txt", nullptr);
    WriteFileVersionLine(file, root_.c_str(), u"missing.dll", nullptr);
    WriteFileVersionLine(file, root_.c_str(), u"missing.dll", &dokan);
    WriteFileVersionLine(file, mapper.c_str(), nullptr, nullptr);
    WriteFileVersionLine(file, root_.c_str(), u"a-rather-long-file-name.dll", nullptr);
    CloseHandle(file);
    EXPECT_EQ(ReadFileBytes(out),
              "plain.txt      : <version information not available> [0x0320]\r\n"
              "missing.dll    : <not found>\r\n"
              "missing.dll    : <not found> [0x0190]\r\n"
              "Camfolio.exe   : 4.1 (build 265) [0x0320]\r\n"
              "a-rather-long-f: <not found>\r\n");
    DeleteFileW(AsWide(out.c_str()));
    DeleteFileW(AsWide((root_ + u"\\plain.txt").c_str()));
}

}  // namespace
