// The printout of a filled directory, like a folder listing.
#include <string>

#include "common/win32/wide_win32.h"
#include "diag/text/bounded_format.h"
#include "diag/trace/trace.h"
#include "state/directory/directory.h"
#include "wialib/values/digit_grouping.h"
#include "wialib/wia/wia_items_win32.h"
#include "wialib/wia/wia_tags.h"

namespace {

constexpr std::size_t kNumberUnits = 32;

// The user's thousands separator, read once; "," when it cannot be read.
const std::u16string& ThousandsSeparator() {
    static const std::u16string separator = [] {
        wchar_t text[5] = {};
        const int units = GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, text,
                                         static_cast<int>(std::size(text)));
        return units > 0 ? std::u16string(AsU16(text)) : std::u16string(u",");
    }();
    return separator;
}

std::u16string Grouped(std::uint64_t value) {
    char16_t digits[kNumberUnits];
    FormatBoundedArgs(digits, std::size(digits), u"%I64u", value);
    return GroupDigits(digits, ThousandsSeparator());
}

std::u16string Decimal(std::uint64_t value) {
    char16_t digits[kNumberUnits];
    FormatBoundedArgs(digits, std::size(digits), u"%I64u", value);
    return digits;
}

void PrintTime(WiaLibContext* context, std::uint64_t fileTime) {
    FILETIME time{static_cast<DWORD>(fileTime), static_cast<DWORD>(fileTime >> 32)};
    SYSTEMTIME calendar{};
    if (time.dwHighDateTime == 0 || FileTimeToSystemTime(&time, &calendar) == FALSE) {
        ListingPrint(context, u"%20s", u"");
        return;
    }
    ListingPrint(context, u"%02d/%02d/%04d  %02d:%02d %s", static_cast<int>(calendar.wMonth),
                 static_cast<int>(calendar.wDay), static_cast<int>(calendar.wYear),
                 static_cast<int>(calendar.wHour % 12), static_cast<int>(calendar.wMinute),
                 calendar.wHour >= 12 ? u"PM" : u"AM");
}

const char16_t* OrUnknown(const char16_t* text) {
    return text != nullptr && text[0] != u'\0' ? text : u"<UNKNOWN>";
}

}  // namespace

void DumpDirTree(WiaLibContext* context, const CDirectory* directory, const char16_t* deviceName,
                 const char16_t* description, const char16_t* manufacturer) {
    TraceEnter(kDumpDirTreeTag);
    if (directory == nullptr) {
        TraceLeave(kDumpDirTreeTag, 1);
        return;
    }
    ListingPrint(context, u"Device name: %s\n", OrUnknown(deviceName));
    ListingPrint(context, u"Device description: %s\n", OrUnknown(description));
    ListingPrint(context, u"Device manufacturer: %s\n", OrUnknown(manufacturer));
    ListingPrint(context, u"\n Directory of %s\\\n\n", directory->GetRootDir());
    std::uint64_t files = 0;
    std::uint64_t folders = 0;
    std::uint64_t bytes = 0;
    for (const std::unique_ptr<DirectoryItem>& item : directory->Items()) {
        const ItemFindData& find = item->findData;
        PrintTime(context, find.lastWriteTime);
        if ((find.attributes & kDirectoryAttribute) != 0) {
            ListingPrint(context, u"    <DIR>          ");
            ++folders;
        } else {
            ListingPrint(context, u"%18s ", Grouped(find.sizeLow));
            ++files;
            bytes += find.sizeLow;
        }
        ListingPrint(context, u"%s", item->FileName());
        ListingPrint(context, u" -> %s\n", item->Suffix());
    }
    ListingPrint(context, u"%16s File(s)", Decimal(files));
    ListingPrint(context, u"%15s bytes\n", Grouped(bytes));
    ListingPrint(context, u"%16s Dir(s)", Decimal(folders));
    ListingPrint(context, u"%16s bytes free\n", u"0");
    ListingPrint(context, u"\n");
    TraceLeave(kDumpDirTreeTag);
}
