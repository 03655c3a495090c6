// A window for the builder to hand its format back to, outside the tests:
// the run command starts the builder over it for the screenshots.
//   builder_receiver.exe HANDLE_FILE
// Writes the window's handle (" %08X" without the blank) into HANDLE_FILE,
// prints every format handed back and runs until it is closed or killed.
#include <windows.h>

#include <cstdio>
#include <iterator>
#include <string>

#include "common/format/copy_data_text.h"
#include "common/win32/ownership_win32.h"
#include "diag/text/bounded_format.h"
#include "diag/text/utf8.h"

namespace {

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COPYDATA: {
            const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
            const CopyDataText text = ReadCopyDataText(data->dwData, data->lpData, data->cbData);
            if (text.status == CopyDataStatus::kAccepted) {
                std::fputs((Utf8FromUtf16(text.text) + "\n").c_str(), stdout);
                std::fflush(stdout);
            }
            return TRUE;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

bool WriteHandle(const wchar_t* path, HWND window) {
    char text[20] = {};
    const FormatResult formatted = FormatBoundedArgs(
        text, std::size(text), "%08X", static_cast<unsigned>(reinterpret_cast<UINT_PTR>(window)));
    const UniqueHandle file(CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file.IsValid() && WriteFile(file.Get(), text, static_cast<DWORD>(formatted.length),
                                       &written, nullptr) != FALSE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fputs("usage: builder_receiver HANDLE_FILE\n", stderr);
        return 2;
    }
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"CamfolioBuilderReceiver";
    RegisterClassExW(&windowClass);
    // Never shown; the builder centres its dialog over it.
    HWND window =
        CreateWindowExW(0, windowClass.lpszClassName, L"Receiver", WS_OVERLAPPEDWINDOW, 100, 100,
                        800, 560, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (window == nullptr || !WriteHandle(argv[1], window)) {
        return 1;
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
