#include "common/catalogue/i18n_composed.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/catalogue/catalogue.h"
#include "common/catalogue/i18n_accessors.h"
#include "common/catalogue/i18n_trace.h"
#include "common/catalogue/template_choice.h"
#include "diag/strings/bounded_string.h"
#include "diag/text/bounded_format.h"
#include "diag/trace/trace.h"

namespace {

constexpr std::int32_t kIdExample = 64;
constexpr std::int32_t kIdExampleLower = 65;
constexpr std::int32_t kIdSize = 63;
constexpr std::int32_t kIdThirdParties = 174;
constexpr std::int32_t kIdLocation = 66;
constexpr std::int32_t kIdCurrent = 67;
constexpr std::int32_t kIdPending = 68;
constexpr std::int32_t kIdMapCamera = 85;
constexpr std::int32_t kIdUnableDll = 101;
constexpr std::int32_t kIdUnableDriveIcon = 102;

// Room for any translated piece (a language file line holds at most 1023
// units): whatever is cut here was far too long for the accessor anyway.
constexpr std::size_t kScratchUnits = 2048;

std::u16string Text(std::int32_t id, int useEnglish) {
    const char16_t* text = CatalogueText(id, useEnglish);
    return text != nullptr ? text : u"";
}

template <typename... Args>
std::u16string Formatted(const char16_t* pattern, const Args&... args) {
    std::array<char16_t, kScratchUnits> scratch{};
    FormatBoundedArgs(scratch.data(), scratch.size(), pattern, args...);
    return scratch.data();
}

// Keeps compose(useEnglish) in buffer, or compose(1) when a translated text
// would not fit.
template <std::size_t N, typename Compose>
const char16_t* Keep(std::array<char16_t, N>& buffer, int useEnglish, const Compose& compose) {
    std::u16string text = compose(useEnglish);
    if (useEnglish == 0 && text.size() >= N) {
        text = compose(1);
    }
    return _TcsCpy(buffer.data(), N, text.c_str());
}

template <std::size_t N, typename Compose>
const char16_t* Composed(const char16_t* tag, std::array<char16_t, N>& buffer, int useEnglish,
                         const Compose& compose) {
    TraceEnter(tag);
    const char16_t* text = Keep(buffer, useEnglish, compose);
    TraceReturnText(tag, text);
    return text;
}

}  // namespace

const char16_t* I18N_Example(int capital, int useEnglish) {
    constexpr const char16_t* kTag = u"I78@I18N_Example: ";
    TraceEnter(kTag);
    const char16_t* text = CatalogueText(capital != 0 ? kIdExample : kIdExampleLower, useEnglish);
    TraceReturnText(kTag, text);
    return text;
}

const char16_t* I18N_TitleError(int useEnglish) {
    static std::array<char16_t, 100> buffer{};
    return Composed(u"I16@I18N_TitleError: ", buffer, useEnglish, [](int english) {
        return std::u16string(u"Camfolio - ") + I18N_Error(english);
    });
}

const char16_t* I18N_Size(int useEnglish) {
    static std::array<char16_t, 30> buffer{};
    return Composed(u"I73@I18N_Size: ", buffer, useEnglish,
                    [](int english) { return Text(kIdSize, english) + u":"; });
}

const char16_t* I18N_ThirdParty(int useEnglish) {
    static std::array<char16_t, 100> buffer{};
    return Composed(u"I79@I18N_ThirdParty: ", buffer, useEnglish,
                    [](int english) { return Text(kIdThirdParties, english) + u":"; });
}

const char16_t* _I18N_Location(int current, int useEnglish) {
    static std::array<char16_t, 100> buffer{};
    return Composed(u"I80@_I18N_Location: ", buffer, useEnglish, [current](int english) {
        return Text(kIdLocation, english) + u" (" +
               Text(current != 0 ? kIdCurrent : kIdPending, english) + u"):";
    });
}

const char16_t* I18N_LocationCurrent(int useEnglish) {
    constexpr const char16_t* kTag = u"I81@I18N_LocationCurrent: ";
    TraceEnter(kTag);
    const char16_t* text = _I18N_Location(1, useEnglish);
    TraceReturnText(kTag, text);
    return text;
}

const char16_t* I18N_LocationPending(int useEnglish) {
    constexpr const char16_t* kTag = u"I82@I18N_LocationPending: ";
    TraceEnter(kTag);
    const char16_t* text = _I18N_Location(0, useEnglish);
    TraceReturnText(kTag, text);
    return text;
}

const char16_t* _MapXDeviceToDriveLetter(const char16_t* device, int useEnglish) {
    constexpr const char16_t* kTag = u"I21@_MapXDeviceToDriveLetter: ";
    static std::array<char16_t, 100> buffer{};
    TraceEnter(kTag);
    ChosenTemplate chosen;
    ChooseTemplate(kIdMapCamera, 1, MarkerType::String, MarkerType::String, useEnglish, chosen);
    const std::size_t deviceUnits = device != nullptr ? std::u16string_view(device).size() : 0;
    if (chosen.translated &&
        std::u16string_view(chosen.text).size() + deviceUnits >= buffer.size()) {
        ChooseTemplate(kIdMapCamera, 1, MarkerType::String, MarkerType::String, 1, chosen);
    }
    WsPrintf(buffer.data(), static_cast<int>(buffer.size()), chosen.text, device);
    TraceReturnText(kTag, buffer.data());
    return buffer.data();
}

const char16_t* I18N_MapThisDeviceToDriveLetter(int useEnglish) {
    constexpr const char16_t* kTag = u"I23@I18N_MapThisDeviceToDriveLetter: ";
    TraceEnter(kTag);
    const char16_t* text = _MapXDeviceToDriveLetter(_This(useEnglish), useEnglish);
    TraceReturnText(kTag, text);
    return text;
}

const char16_t* _ErrorRegDereg(int set, int code, int useEnglish) {
    static std::array<char16_t, 300> buffer{};
    return Composed(u"I33@_ErrorRegDereg: ", buffer, useEnglish, [set, code](int english) {
        ChosenTemplate chosen;
        ChooseTemplate(code != 0 ? kIdUnableDll : kIdUnableDriveIcon, 1, MarkerType::String,
                       MarkerType::String, english, chosen);
        const char16_t* verb = code != 0 ? (set != 0 ? _Register(english) : _Deregister(english))
                                         : (set != 0 ? _Set(english) : _Unset(english));
        std::u16string text = Formatted(chosen.text, verb);
        if (code != 0) {
            text += Formatted(u" (%d)", code);
        }
        return text + u"\n\n" + _AdminPrivilegesNeeded(english);
    });
}

const char16_t* I18N_ErrorDriveIcon(int set, int useEnglish) {
    constexpr const char16_t* kTag = u"I38@I18N_ErrorDriveIcon: ";
    TraceEnter(kTag);
    const char16_t* text = _ErrorRegDereg(set, 0, useEnglish);
    TraceReturnText(kTag, text);
    return text;
}
