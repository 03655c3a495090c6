#include "builder/convert/token_button_html.h"

#include <cstdint>

#include "builder/convert/catalogue_caption.h"
#include "common/catalogue/text_ids.h"
#include "diag/text/bounded_format.h"

namespace {

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
    return CatalogueButton(u"<Y4>", text_id::kYearLong);
}
std::u16string MonthLongButtonHtml() {
    return CatalogueButton(u"<M2>", text_id::kMonthLong);
}
std::u16string DayLongButtonHtml() {
    return CatalogueButton(u"<D2>", text_id::kDayLong);
}
std::u16string YearShortButtonHtml() {
    return CatalogueButton(u"<Y2>", text_id::kYearShort);
}
std::u16string MonthShortButtonHtml() {
    return CatalogueButton(u"<M1>", text_id::kMonthShort);
}
std::u16string DayShortButtonHtml() {
    return CatalogueButton(u"<D1>", text_id::kDayShort);
}
std::u16string HourLongButtonHtml() {
    return CatalogueButton(u"<h2>", text_id::kHourLong);
}
std::u16string MinuteLongButtonHtml() {
    return CatalogueButton(u"<m2>", text_id::kMinuteLong);
}
std::u16string SecondLongButtonHtml() {
    return CatalogueButton(u"<s2>", text_id::kSecondLong);
}
std::u16string HourShortButtonHtml() {
    return CatalogueButton(u"<h1>", text_id::kHourShort);
}
std::u16string MinuteShortButtonHtml() {
    return CatalogueButton(u"<m1>", text_id::kMinuteShort);
}
std::u16string SecondShortButtonHtml() {
    return CatalogueButton(u"<s1>", text_id::kSecondShort);
}
std::u16string AmPmButtonHtml() {
    // The one caption that is the same in every language.
    return TokenButtonHtml(u"<AP>", u"AM / PM");
}
std::u16string DirectorySeparatorButtonHtml() {
    return CatalogueButton(u"<DIR>", text_id::kDirectorySeparator);
}
std::u16string CameraNameButtonHtml() {
    return CatalogueButton(u"<X1>", text_id::kCameraName);
}
std::u16string ImageWidthButtonHtml() {
    return CatalogueButton(u"<X2>", text_id::kImageWidth);
}
std::u16string ImageHeightButtonHtml() {
    return CatalogueButton(u"<X3>", text_id::kImageHeight);
}
std::u16string OriginalNameButtonHtml() {
    return CatalogueButton(u"<O>", text_id::kOriginalName);
}
std::u16string OriginalDirectoryButtonHtml() {
    return CatalogueButton(u"<P>", text_id::kOriginalDirectory);
}

std::u16string CounterButtonHtml(int digits) {
    return TokenButtonHtml(Numbered(u"<C%d>", digits),
                           CatalogueCaption(text_id::kCounter) + Numbered(u" [%d]", digits));
}

std::u16string OriginalNameRangeButtonHtml(int first, int last) {
    return TokenButtonHtml(
        Numbered(u"<O%d-%d>", first, last),
        CatalogueCaption(text_id::kOriginalName) + Numbered(u" [%d-%d]", first, last));
}
