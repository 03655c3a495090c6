#include "state/directory/item_label.h"

#include "common/format/calendar.h"
#include "diag/text/quiet_string.h"

namespace {

constexpr std::size_t kHexStampDigits = 12;

}  // namespace

std::u16string MinuteStamp(std::uint64_t fileTime) {
    char16_t text[24] = {};
    CalendarTime fields;
    if (FileTimeToCalendar(fileTime, &fields)) {
        PrintQuiet(text, static_cast<int>(std::size(text)), u"-%04d%02d%02d%02d%02d", fields.year,
                   fields.month, fields.day, fields.hour, fields.minute);
        return text;
    }
    PrintQuiet(text, static_cast<int>(std::size(text)), u"-%08X%08X",
               static_cast<std::uint32_t>(fileTime >> 32), static_cast<std::uint32_t>(fileTime));
    return std::u16string(text, 1 + kHexStampDigits);
}

std::u16string ItemLabel(std::u16string_view name, std::uint64_t fileTime,
                         std::u16string_view suffix) {
    std::u16string label(name);
    label += MinuteStamp(fileTime);
    label += suffix;
    return label;
}
