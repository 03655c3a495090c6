#pragma once
// The token editor's buttons: every token of a format is shown as a
// non-editable button whose value attribute carries the token and whose text is
// its caption in the user's language. The captions come from the catalogue as
// loaded when the operation runs.
#include <string>
#include <string_view>

// "<button contenteditable=false onresizestart='return false;' value='" token
// "'>" caption "</button>", both texts as they are.
std::u16string TokenButtonHtml(std::u16string_view token, std::u16string_view caption);

// One button per token.
std::u16string YearLongButtonHtml();            // <Y4>
std::u16string MonthLongButtonHtml();           // <M2>
std::u16string DayLongButtonHtml();             // <D2>
std::u16string YearShortButtonHtml();           // <Y2>
std::u16string MonthShortButtonHtml();          // <M1>
std::u16string DayShortButtonHtml();            // <D1>
std::u16string HourLongButtonHtml();            // <h2>
std::u16string MinuteLongButtonHtml();          // <m2>
std::u16string SecondLongButtonHtml();          // <s2>
std::u16string HourShortButtonHtml();           // <h1>
std::u16string MinuteShortButtonHtml();         // <m1>
std::u16string SecondShortButtonHtml();         // <s1>
std::u16string AmPmButtonHtml();                // <AP>
std::u16string DirectorySeparatorButtonHtml();  // <DIR>
std::u16string CameraNameButtonHtml();          // <X1>
std::u16string ImageWidthButtonHtml();          // <X2>
std::u16string ImageHeightButtonHtml();         // <X3>
std::u16string OriginalNameButtonHtml();        // <O>
std::u16string OriginalDirectoryButtonHtml();   // <P>
// <Cn>, caption "Counter [n]".
std::u16string CounterButtonHtml(int digits);
// <Ol-m>, caption "Original name [l-m]".
std::u16string OriginalNameRangeButtonHtml(int first, int last);
