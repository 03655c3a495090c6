#include "applet/ui/browser_command.h"

#include <string>

#include "diag/strings/bounded_string.h"

bool BuildBrowserCommandLine(std::u16string_view command, std::u16string_view url, char16_t* out,
                             std::size_t capacity) {
    if (capacity == 0) {
        return false;
    }
    std::u16string line;
    const std::size_t marker = command.find(u"%1");
    if (marker == std::u16string_view::npos) {
        line.append(command).append(u" ").append(url);
    } else {
        line.append(command.substr(0, marker)).append(url).append(command.substr(marker + 2));
    }
    _TcsCpy(out, capacity, line.c_str());
    return true;
}
