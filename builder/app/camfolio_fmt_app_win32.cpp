#include "builder/app/camfolio_fmt_app_win32.h"

#include <shellapi.h>

#include <commctrl.h>

#include <memory>
#include <string_view>
#include <vector>

#include "builder/app/builder_arguments.h"
#include "builder/app/camfolio_fmt_dlg_win32.h"
#include "common/catalogue/catalogue.h"
#include "common/dialog/theme_library_win32.h"
#include "common/format/copy_data_text.h"
#include "common/i18n_init/i18n_init_win32.h"
#include "common/win32/wide_win32.h"

namespace {

struct LocalFreer {
    void operator()(LPWSTR* list) const { LocalFree(list); }
};

// The text is split as the arguments after a program's path: the splitter
// reads its first argument by the rules for a path, so a stand-in path goes
// first and is skipped.
BuilderArguments ReadCommandLine(const wchar_t* commandLine) {
    const std::wstring text =
        std::wstring(L"CamfolioFmt ") + (commandLine != nullptr ? commandLine : L"");
    int count = 0;
    const std::unique_ptr<LPWSTR, LocalFreer> list(CommandLineToArgvW(text.c_str(), &count));
    if (list == nullptr) {
        return {};
    }
    std::vector<std::u16string_view> args;
    for (int i = 1; i < count; ++i) {
        args.push_back(AsU16(list.get()[i]));
    }
    return ParseBuilderArguments(args);
}

}  // namespace

bool SendHandBack(HWND target, const std::u16string& format) {
    COPYDATASTRUCT data{};
    data.dwData = kCopyDataFormatKind;
    data.cbData = static_cast<DWORD>((format.size() + 1) * sizeof(char16_t));
    data.lpData = const_cast<char16_t*>(format.c_str());
    DWORD_PTR answer = 0;
    return SendMessageTimeoutW(target, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                               SMTO_ABORTIFHUNG, kHandBackTimeoutMs, &answer) != 0;
}

int CCamfolioFmtApp::Run(HINSTANCE instance, const wchar_t* commandLine) {
    const ThemeLibrary themes;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    const I18NCatalogueScope catalogue;

    const BuilderArguments arguments = ReadCommandLine(commandLine);
    HWND target = arguments.target ? reinterpret_cast<HWND>(*arguments.target) : nullptr;
    if (target == nullptr || !IsWindow(target)) {
        return 0;
    }
    // The applet's top-level window stays disabled while the dialog is open.
    HWND owner = GetAncestor(target, GA_ROOT);
    {
        CCamfolioFmtDlg dialog(instance, arguments.initialFormat);
        if (dialog.Run(owner) == IDOK) {
            SendHandBack(target, dialog.ResultFormat());
        }
    }
    return 0;
}
