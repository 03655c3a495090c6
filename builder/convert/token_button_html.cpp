#include "builder/convert/token_button_html.h"

#include <cstdint>

#include "builder/convert/catalogue_caption.h"
#include "diag/text/bounded_format.h"

namespace {

constexpr std::int32_t kIdCounter = 44;
constexpr std::int32_t kIdCameraName = 46;
constexpr std::int32_t kIdImageWidth = 47;
constexpr std::int32_t kIdImageHeight = 48;
constexpr std::int32_t kIdDirectorySeparator = 72;
constexpr std::int32_t kIdOriginalName = 162;
constexpr std::int32_t kIdOriginalDirectory = 166;
constexpr std::int32_t kIdYearLong = -12;
constexpr std::int32_t kIdMonthLong = -13;
constexpr std::int32_t kIdDayLong = -14;
constexpr std::int32_t kIdYearShort = -15;
constexpr std::int32_t kIdMonthShort = -16;
constexpr std::int32_t kIdDayShort = -17;
constexpr std::int32_t kIdHourLong = -18;
constexpr std::int32_t kIdMinuteLong = -19;
constexpr std::int32_t kIdSecondLong = -20;
constexpr std::int32_t kIdHourShort = -21;
constexpr std::int32_t kIdMinuteShort = -22;
constexpr std::int32_t kIdSecondShort = -23;

// Room for "<O" + two ints + "-" + ">" and their caption suffix.
constexpr std::size_t kNumberedTextCapacity = 40;

std::u16string CatalogueButton(std::u16string_view token, std::int32_t captionId) {
    return TokenButtonHtml(token, CatalogueCaption(captionId));
}

template <typename... Args>
std::u16string Numbered(const char16_t* format, const Args&... args) {
    char16_t text[kNumberedTextCapacity] = {};
    FormatBoundedArgs(text, kNumberedTextCapacity, format, args...);
    return text;
}

}  // namespace

std::u16string TokenButtonHtml(std::u16string_view token, std::u16string_view caption) {
    std::u16string html(u"<button contenteditable=false onresizestart='return false;' value='");
    html.append(token);
    html.append(u"'>");
    html.append(caption);
    html.append(u"</button>");
    return html;
}

std::u16string YearLongButtonHtml() {
    return CatalogueButton(u"<Y4>", kIdYearLong);
}
std::u16string MonthLongButtonHtml() {
    return CatalogueButton(u"<M2>", kIdMonthLong);
}
std::u16string DayLongButtonHtml() {
    return CatalogueButton(u"<D2>", kIdDayLong);
}
std::u16string YearShortButtonHtml() {
    return CatalogueButton(u"<Y2>", kIdYearShort);
}
std::u16string MonthShortButtonHtml() {
    return CatalogueButton(u"<M1>", kIdMonthShort);
}
std::u16string DayShortButtonHtml() {
    return CatalogueButton(u"<D1>", kIdDayShort);
}
std::u16string HourLongButtonHtml() {
    return CatalogueButton(u"<h2>", kIdHourLong);
}
std::u16string MinuteLongButtonHtml() {
    return CatalogueButton(u"<m2>", kIdMinuteLong);
}
std::u16string SecondLongButtonHtml() {
    return CatalogueButton(u"<s2>", kIdSecondLong);
}
std::u16string HourShortButtonHtml() {
    return CatalogueButton(u"<h1>", kIdHourShort);
}
std::u16string MinuteShortButtonHtml() {
    return CatalogueButton(u"<m1>", kIdMinuteShort);
}
std::u16string SecondShortButtonHtml() {
    return CatalogueButton(u"<s1>", kIdSecondShort);
}
std::u16string AmPmButtonHtml() {
    // The one caption that is the same in every language.
    return TokenButtonHtml(u"<AP>", u"AM / PM");
}
std::u16string DirectorySeparatorButtonHtml() {
    return CatalogueButton(u"<DIR>", kIdDirectorySeparator);
}
std::u16string CameraNameButtonHtml() {
    return CatalogueButton(u"<X1>", kIdCameraName);
}
std::u16string ImageWidthButtonHtml() {
    return CatalogueButton(u"<X2>", kIdImageWidth);
}
std::u16string ImageHeightButtonHtml() {
    return CatalogueButton(u"<X3>", kIdImageHeight);
}
std::u16string OriginalNameButtonHtml() {
    return CatalogueButton(u"<O>", kIdOriginalName);
}
std::u16string OriginalDirectoryButtonHtml() {
    return CatalogueButton(u"<P>", kIdOriginalDirectory);
}

std::u16string CounterButtonHtml(int digits) {
    return TokenButtonHtml(Numbered(u"<C%d>", digits),
                           CatalogueCaption(kIdCounter) + Numbered(u" [%d]", digits));
}

std::u16string OriginalNameRangeButtonHtml(int first, int last) {
    return TokenButtonHtml(Numbered(u"<O%d-%d>", first, last),
                           CatalogueCaption(kIdOriginalName) + Numbered(u" [%d-%d]", first, last));
}
