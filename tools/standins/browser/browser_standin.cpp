// Stand-in web browser: records its command line (UTF-16) in the file named
// by CAMFOLIO_BROWSER_RECORD, written under another name first and renamed,
// so that a reader never sees half of it.
#include <windows.h>

#include <cwchar>
#include <string>

int wmain() {
    wchar_t record[MAX_PATH] = L"";
    if (GetEnvironmentVariableW(L"CAMFOLIO_BROWSER_RECORD", record, MAX_PATH) == 0) {
        return 2;
    }
    const std::wstring partial = std::wstring(record) + L".partial";
    HANDLE file = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 1;
    }
    const wchar_t* line = GetCommandLineW();
    DWORD written = 0;
    const BOOL ok = WriteFile(file, line, static_cast<DWORD>(std::wcslen(line) * sizeof(wchar_t)),
                              &written, nullptr);
    CloseHandle(file);
    return ok && MoveFileExW(partial.c_str(), record, MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
