#include "builder/convert/token_button_renderer.h"

#include <utility>

#include "builder/convert/token_button_html.h"

// Each text stays valid until the next call, as describe mode allows.
const char16_t* CTokenButtonRenderer::Keep(std::u16string html) {
    html_ = std::move(html);
    return html_.c_str();
}

const char16_t* CTokenButtonRenderer::YearLong() {
    return Keep(YearLongButtonHtml());
}
const char16_t* CTokenButtonRenderer::MonthLong() {
    return Keep(MonthLongButtonHtml());
}
const char16_t* CTokenButtonRenderer::DayLong() {
    return Keep(DayLongButtonHtml());
}
const char16_t* CTokenButtonRenderer::YearShort() {
    return Keep(YearShortButtonHtml());
}
const char16_t* CTokenButtonRenderer::MonthShort() {
    return Keep(MonthShortButtonHtml());
}
const char16_t* CTokenButtonRenderer::DayShort() {
    return Keep(DayShortButtonHtml());
}
const char16_t* CTokenButtonRenderer::HourLong() {
    return Keep(HourLongButtonHtml());
}
const char16_t* CTokenButtonRenderer::MinuteLong() {
    return Keep(MinuteLongButtonHtml());
}
const char16_t* CTokenButtonRenderer::SecondLong() {
    return Keep(SecondLongButtonHtml());
}
const char16_t* CTokenButtonRenderer::HourShort() {
    return Keep(HourShortButtonHtml());
}
const char16_t* CTokenButtonRenderer::MinuteShort() {
    return Keep(MinuteShortButtonHtml());
}
const char16_t* CTokenButtonRenderer::SecondShort() {
    return Keep(SecondShortButtonHtml());
}
const char16_t* CTokenButtonRenderer::AmPm() {
    return Keep(AmPmButtonHtml());
}
const char16_t* CTokenButtonRenderer::DirectorySeparator() {
    return Keep(DirectorySeparatorButtonHtml());
}
const char16_t* CTokenButtonRenderer::CameraName() {
    return Keep(CameraNameButtonHtml());
}
const char16_t* CTokenButtonRenderer::ImageWidth() {
    return Keep(ImageWidthButtonHtml());
}
const char16_t* CTokenButtonRenderer::ImageHeight() {
    return Keep(ImageHeightButtonHtml());
}
const char16_t* CTokenButtonRenderer::OriginalName() {
    return Keep(OriginalNameButtonHtml());
}
const char16_t* CTokenButtonRenderer::OriginalDirectory() {
    return Keep(OriginalDirectoryButtonHtml());
}
const char16_t* CTokenButtonRenderer::Counter(int digits) {
    return Keep(CounterButtonHtml(digits));
}
const char16_t* CTokenButtonRenderer::OriginalNameRange(int first, int last) {
    return Keep(OriginalNameRangeButtonHtml(first, last));
}

void CTokenButtonRenderer::CaseToken(CaseMode mode) {
    switch (mode) {
        case CaseMode::kLower:
            caseIndex_ = 1;
            break;
        case CaseMode::kUpper:
            caseIndex_ = 2;
            break;
        case CaseMode::kUnchanged:
        case CaseMode::kNone:
            caseIndex_ = 0;
            break;
    }
}
