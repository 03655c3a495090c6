#pragma once
// Catalogue ids that code passes by number: captions set from tables and
// templates for I18N_wsprintf. Plain ids are 1 ... 198, composite ids −1 ...
// −42 (their English pieces in brackets). Texts with an I18N_ accessor are
// asked for by the accessor instead.
#include <cstdint>

namespace text_id {

inline constexpr std::int32_t kOk = 1;
inline constexpr std::int32_t kCancel = 2;
inline constexpr std::int32_t kOther = 29;
inline constexpr std::int32_t kDate = 30;
inline constexpr std::int32_t kTime = 31;
inline constexpr std::int32_t kMetadata = 34;
inline constexpr std::int32_t kYear = 35;
inline constexpr std::int32_t kMonth = 36;
inline constexpr std::int32_t kDay = 37;
inline constexpr std::int32_t kHour = 38;
inline constexpr std::int32_t kMinute = 39;
inline constexpr std::int32_t kSecond = 40;
inline constexpr std::int32_t kCounter = 44;
inline constexpr std::int32_t kClear = 45;
inline constexpr std::int32_t kCameraName = 46;
inline constexpr std::int32_t kImageWidth = 47;
inline constexpr std::int32_t kImageHeight = 48;
inline constexpr std::int32_t kCaseUnchanged = 50;
inline constexpr std::int32_t kCaseLower = 51;
inline constexpr std::int32_t kCaseUpper = 52;
inline constexpr std::int32_t kDirectorySeparator = 72;
inline constexpr std::int32_t kRegisterFailed =
    93;  // "Registering the %s as a 'Camera Connected' event handler in Windows failed."
inline constexpr std::int32_t kRangeSelectorTitle = 94;
inline constexpr std::int32_t kDigitsSelectorTitle = 95;
inline constexpr std::int32_t kUnsupportedWindows =
    100;                                              // "This version does not support Windows %s."
inline constexpr std::int32_t kNotAvailable = 104;    // "%s is not available."
inline constexpr std::int32_t kNotCompatible = 105;   // "%s is not compatible with %s"
inline constexpr std::int32_t kLaunchError = 114;     // "Error occurred while launching %s."
inline constexpr std::int32_t kPickerTitle = 142;     // "Select new %s cache directory location"
inline constexpr std::int32_t kCacheSizeRange = 144;  // "Cache size must be between %d and %d."
inline constexpr std::int32_t kNewVersionAvailable =
    154;                                            // "There is a new version of the %s available."
inline constexpr std::int32_t kVisitWebsite = 155;  // "Would you like to visit the %s website now?"
inline constexpr std::int32_t kLatestInstalled =
    156;  // "You already have the latest version of the %s installed."
inline constexpr std::int32_t kOriginalName = 162;
inline constexpr std::int32_t kOriginalDirectory = 166;
inline constexpr std::int32_t kOpenDataCaption = 170;  // "&Open location of the %s data files"
inline constexpr std::int32_t kDumpCaption = 172;      // "&Dump %s..."
inline constexpr std::int32_t kSaveDataTitle = 175;    // "Save %s data..."
inline constexpr std::int32_t kUnavailableLetterLabel = 184;

inline constexpr std::int32_t kLongLabel = -5;              // [Long]:
inline constexpr std::int32_t kShortLabel = -6;             // [Short]:
inline constexpr std::int32_t kOriginalNameRange = -7;      // [Original name] ([Range])...
inline constexpr std::int32_t kAmPmTime = -8;               // AM/PM ([Time])
inline constexpr std::int32_t kTextFormatLabel = -9;        // [Text format]:
inline constexpr std::int32_t kOriginalExampleLabel = -10;  // [Example] ([original]):
inline constexpr std::int32_t kNewExampleLabel = -11;       // [Example] ([new]):
inline constexpr std::int32_t kYearLong = -12;              // [Year] ([Long])
inline constexpr std::int32_t kMonthLong = -13;
inline constexpr std::int32_t kDayLong = -14;
inline constexpr std::int32_t kYearShort = -15;  // [Year] ([Short])
inline constexpr std::int32_t kMonthShort = -16;
inline constexpr std::int32_t kDayShort = -17;
inline constexpr std::int32_t kHourLong = -18;
inline constexpr std::int32_t kMinuteLong = -19;
inline constexpr std::int32_t kSecondLong = -20;
inline constexpr std::int32_t kHourShort = -21;
inline constexpr std::int32_t kMinuteShort = -22;
inline constexpr std::int32_t kSecondShort = -23;
inline constexpr std::int32_t kCounterEllipsis = -24;        // [Counter]...
inline constexpr std::int32_t kNumberOfDigitsLabel = -25;    // [Number of digits to use]:
inline constexpr std::int32_t kSelectCharactersLabel = -26;  // [Select characters to use]:
inline constexpr std::int32_t kOriginalNameGroup = -32;      // [Original name]
inline constexpr std::int32_t kAliasLabel = -37;             // [Alias]:
inline constexpr std::int32_t kDefaultProfileName = -38;     // <[default profile]>

}  // namespace text_id
