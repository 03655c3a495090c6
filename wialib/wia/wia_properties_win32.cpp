#include "wialib/wia/wia_properties_win32.h"

#include <array>
#include <memory>
#include <string>

#include "common/win32/wide_win32.h"
#include "diag/strings/bounded_string.h"
#include "diag/text/bounded_format.h"
#include "diag/text/text_utils.h"
#include "diag/trace/trace.h"
#include "state/directory/directory.h"
#include "wialib/values/property_type_name.h"
#include "wialib/wia/wia_formats.h"
#include "wialib/wia/wia_guid_win32.h"
#include "wialib/wia/wia_property_ids.h"
#include "wialib/wia/wia_property_lines.h"
#include "wialib/wia/wia_tags.h"
#include "wialib/wia/wia_value_text_win32.h"

namespace {

constexpr std::size_t kValueUnits = 261;
constexpr std::size_t kNumberUnits = 16;

// What the properties of one item say, kept until the entry is made.
struct ItemValues {
    char16_t name[kPathUnits] = {};
    char16_t fullName[kLongTextUnits] = {};
    char16_t extension[kPathUnits] = {};
    SYSTEMTIME time{};
    bool hasTime = false;
    LONG flags = 0;
    bool hasFlags = false;
    LONG accessRights = 0;
    bool hasAccessRights = false;
    LONG size = 0;
    char16_t width[kNumberUnits] = {};
    char16_t height[kNumberUnits] = {};
};

class Interpreter {
  public:
    Interpreter(WiaLibContext* context, const PropertyReading& reading)
        : context_(context), reading_(reading) {}

    ItemValues& Values() { return values_; }

    void Interpret(PROPID id, const PROPVARIANT& value) {
        switch (id) {
        case wia_prop::kVendor:
            TakeDeviceText(value, reading_.texts ? reading_.texts->manufacturer : nullptr);
            break;
        case wia_prop::kDescription:
            TakeDeviceText(value, reading_.texts ? reading_.texts->description : nullptr);
            break;
        case wia_prop::kDeviceName:
            TakeDeviceText(value, reading_.texts ? reading_.texts->name : nullptr);
            break;
        case wia_prop::kDeviceType:
            IfInt(value, [&](LONG v) { Write(DeviceTypeLine(v)); });
            break;
        case wia_prop::kHardwareConfig:
            IfInt(value, [&](LONG v) { Write(HardwareConfigLine(v)); });
            break;
        case wia_prop::kConnectStatus:
            IfInt(value, [&](LONG v) { Write(ConnectStatusLine(v)); });
            break;
        case wia_prop::kItemName:
            TakeItemName(value);
            break;
        case wia_prop::kFullItemName:
            if (value.vt == VT_BSTR && value.bstrVal != nullptr) {
                _TcsCpy(values_.fullName, std::size(values_.fullName), AsU16(value.bstrVal));
                CopyToInfo(reading_.info ? reading_.info->fullItemName : nullptr,
                           kLongTextUnits, values_.fullName);
            }
            break;
        case wia_prop::kItemTime:
            if (value.vt == (VT_UI2 | VT_VECTOR) && value.caui.cElems == 8) {
                char16_t ignored[kValueUnits];
                ConvertValueToString(value, ignored, std::size(ignored), &values_.time, nullptr);
                values_.hasTime = true;
            }
            break;
        case wia_prop::kItemFlags:
            IfInt(value, [&](LONG v) {
                values_.flags = v;
                values_.hasFlags = true;
                Write(ItemFlagLines(v));
            });
            break;
        case wia_prop::kAccessRights:
            IfInt(value, [&](LONG v) {
                values_.accessRights = v;
                values_.hasAccessRights = true;
            });
            break;
        case wia_prop::kDataType:
            IfInt(value, [&](LONG v) { Write(DataTypeLine(v)); });
            break;
        case wia_prop::kPreferredFormat:
            if (value.vt == VT_CLSID && value.puuid != nullptr && reading_.info != nullptr) {
                _TcsCpy(reading_.info->formatGuid, std::size(reading_.info->formatGuid),
                        GuidText(*value.puuid).c_str());
            }
            TakeFormat(value);
            break;
        case wia_prop::kFormat:
            TakeFormat(value);
            break;
        case wia_prop::kTymed:
            IfInt(value, [&](LONG v) { Write(TymedLines(v)); });
            break;
        case wia_prop::kPixelsPerLine:
            TakeDimension(value, kWantWidth, values_.width);
            break;
        case wia_prop::kNumberOfLines:
            TakeDimension(value, kWantHeight, values_.height);
            break;
        case wia_prop::kItemSize:
            IfInt(value, [&](LONG v) {
                values_.size = v;
                if (reading_.directory != nullptr) {
                    reading_.directory->AddSize(v);
                }
            });
            break;
        case wia_prop::kFilenameExtension:
            if (value.vt == VT_BSTR && value.bstrVal != nullptr) {
                _TcsCpy(values_.extension, std::size(values_.extension), AsU16(value.bstrVal));
                CopyToInfo(reading_.info ? reading_.info->extension : nullptr, kPathUnits,
                           values_.extension);
            }
            break;
        case wia_prop::kThumbnail:
            if (value.vt == (VT_UI1 | VT_VECTOR) && reading_.info != nullptr) {
                TracePrint(kProcessPropertiesTag, u"Processing Thumbnail Data, size=%d",
                           static_cast<int>(value.caub.cElems));
                char16_t ignored[kValueUnits];
                ConvertValueToString(value, ignored, std::size(ignored), nullptr,
                                     &reading_.info->thumbnail);
            }
            break;
        default:
            break;
        }
    }

  private:
    template <typename Use>
    static void IfInt(const PROPVARIANT& value, Use use) {
        if (value.vt == VT_I4) {
            use(value.lVal);
        }
    }

    void Write(const std::u16string& lines) {
        if (reading_.quiet == 0 && !lines.empty()) {
            ListingPrint(context_, u"%s", lines);
        }
    }

    static void TakeDeviceText(const PROPVARIANT& value, char16_t* buffer) {
        if (buffer == nullptr || value.vt != VT_BSTR || value.bstrVal == nullptr) {
            return;
        }
        const std::u16string_view text(AsU16(value.bstrVal));
        if (text.size() < kShortTextUnits) {
            text.copy(buffer, text.size());
            buffer[text.size()] = u'\0';
        }
    }

    static void CopyToInfo(char16_t* target, std::size_t units, const char16_t* text) {
        if (target != nullptr) {
            _TcsCpy(target, units, text);
        }
    }

    void TakeItemName(const PROPVARIANT& value) {
        if (value.vt != VT_BSTR || value.bstrVal == nullptr) {
            return;
        }
        _TcsCpy(values_.name, std::size(values_.name), AsU16(value.bstrVal));
        ReplaceFirst(values_.name, std::size(values_.name), u":", u"");
        CopyToInfo(reading_.info ? reading_.info->itemName : nullptr, kPathUnits, values_.name);
    }

    void TakeFormat(const PROPVARIANT& value) {
        if (value.vt != VT_CLSID || value.puuid == nullptr) {
            return;
        }
        const std::u16string text = GuidText(*value.puuid);
        const std::optional<WiaFormat> format = FindWiaFormat(text);
        if (reading_.quiet == 0) {
            ListingPrint(context_, u"\t%s\n", format ? format->name : std::u16string_view(text));
        }
        if (format && values_.extension[0] == u'\0') {
            const std::u16string extension(format->extension);
            _TcsCpy(values_.extension, std::size(values_.extension), extension.c_str());
            CopyToInfo(reading_.info ? reading_.info->extension : nullptr, kPathUnits,
                       values_.extension);
        }
    }

    void TakeDimension(const PROPVARIANT& value, int flag, char16_t* text) {
        if (value.vt == VT_I4 && reading_.directory != nullptr &&
            (reading_.propertyFlags & flag) != 0) {
            WsPrintf(text, static_cast<int>(kNumberUnits), u"%ld", static_cast<long>(value.lVal));
        }
    }

    WiaLibContext* context_;
    const PropertyReading& reading_;
    ItemValues values_;
};

// Every property from the storage's enumerator: listed, collected, interpreted.
HRESULT ReadAll(WiaLibContext* context, IWiaPropertyStorage* storage,
                const PropertyReading& reading, Interpreter& interpreter) {
    const bool collecting = reading.collect != 0;
    TracePrint(kProcessPropertiesTag, collecting ? u"Enum-P" : u"Enum-S");
    ULONG count = 0;
    HRESULT hr = storage->GetCount(&count);
    if (FAILED(hr)) {
        return hr;
    }
    if (reading.quiet == 0) {
        ListingPrint(context, u"\n %ld properties%s\n", static_cast<long>(count),
                     reading.headerSuffix != nullptr ? reading.headerSuffix : u"");
    }
    ComRef<IEnumSTATPROPSTG> properties;
    hr = storage->Enum(properties.Put());
    if (FAILED(hr)) {
        return hr;
    }
    for (;;) {
        STATPROPSTG stat{};
        ULONG fetched = 0;
        hr = properties->Next(1, &stat, &fetched);
        if (hr != S_OK || fetched != 1) {
            break;
        }
        UniqueTaskMemory<wchar_t> name(stat.lpwstrName);
        const PROPSPEC spec = PropertySpec(stat.propid);
        PropVariants<1> value;
        hr = storage->ReadMultiple(1, &spec, value.Data());
        if (FAILED(hr)) {
            break;
        }
        char16_t text[kValueUnits];
        ConvertValueToString(value[0], text, std::size(text), nullptr, nullptr);
        if (reading.quiet == 0) {
            ListingPrint(context, u"  %02d(%s): ", static_cast<int>(stat.propid),
                         PropertyTypeName(stat.vt));
            if (name.IsValid()) {
                ListingPrint(context, u"%s=", AsU16(name.Get()));
            }
            ListingPrint(context, u"%s\n", text);
        }
        if (collecting && reading.directory != nullptr) {
            std::u16string_view shown(text);
            if (!shown.empty() && shown.front() == u'"') {
                shown.remove_prefix(1);
                if (!shown.empty() && shown.back() == u'"') {
                    shown.remove_suffix(1);
                }
            }
            reading.directory->PropertyNames().emplace_back(
                name.IsValid() ? AsU16(name.Get()) : u"");
            reading.directory->PropertyValues().emplace_back(shown);
        }
        interpreter.Interpret(stat.propid, value[0]);
    }
    return hr;
}

// The properties a walk needs, in one call; the extension before the formats,
// so that an item's own extension wins.
HRESULT ReadFixed(IWiaPropertyStorage* storage, const PropertyReading& reading,
                  Interpreter& interpreter) {
    TracePrint(kProcessPropertiesTag, u"Enum-F");
    std::array<PROPID, 14> ids{wia_prop::kItemTime,       wia_prop::kItemFlags,
                               wia_prop::kItemName,       wia_prop::kFullItemName,
                               wia_prop::kFilenameExtension, wia_prop::kDeviceName,
                               wia_prop::kDescription,    wia_prop::kVendor,
                               wia_prop::kItemSize,       wia_prop::kPreferredFormat,
                               wia_prop::kFormat,         wia_prop::kAccessRights};
    std::size_t count = 12;
    if (reading.directory != nullptr && (reading.propertyFlags & kWantWidth) != 0) {
        ids[count++] = wia_prop::kPixelsPerLine;
    }
    if (reading.directory != nullptr && (reading.propertyFlags & kWantHeight) != 0) {
        ids[count++] = wia_prop::kNumberOfLines;
    }
    std::array<PROPSPEC, 14> specs{};
    for (std::size_t i = 0; i < count; ++i) {
        specs[i] = PropertySpec(ids[i]);
    }
    PropVariants<14> values;
    const HRESULT hr = storage->ReadMultiple(static_cast<ULONG>(count), specs.data(), values.Data());
    if (FAILED(hr)) {
        return hr;
    }
    for (std::size_t i = 0; i < count; ++i) {
        interpreter.Interpret(ids[i], values[i]);
    }
    return hr;
}

void AddEntry(const PropertyReading& reading, const ItemValues& values) {
    CDirectory& directory = *reading.directory;
    if ((values.flags & kItemRoot) != 0) {
        directory.Init(values.fullName);
        return;
    }
    if ((values.flags & kItemFile) == 0) {
        return;
    }
    std::uint64_t fileTime = 0;
    FILETIME converted{};
    const bool timed = values.hasTime && SystemTimeToFileTime(&values.time, &converted) != FALSE;
    if (timed) {
        fileTime = (static_cast<std::uint64_t>(converted.dwHighDateTime) << 32) |
                   converted.dwLowDateTime;
    }
    const char16_t* deviceName = reading.texts != nullptr && reading.texts->name[0] != u'\0'
                                     ? reading.texts->name
                                     : nullptr;
    const std::array<const char16_t*, 3> strings{
        deviceName, values.width[0] != u'\0' ? values.width : nullptr,
        values.height[0] != u'\0' ? values.height : nullptr};
    const bool readOnly =
        values.hasAccessRights && (values.accessRights & kItemCanBeDeleted) == 0;
    const bool added = directory.AddFile(values.name, values.fullName, values.extension,
                                         static_cast<std::uint32_t>(values.size),
                                         timed ? &fileTime : nullptr, reading.item, strings.data(),
                                         static_cast<int>(strings.size()), reading.pathPrefix,
                                         readOnly ? FILE_ATTRIBUTE_READONLY : 0);
    if (added && reading.item != nullptr) {
        directory.Items().back()->extra = std::make_unique<WiaItemReference>(reading.item);
    }
}

}  // namespace

HRESULT ProcessProperties(WiaLibContext* context, IWiaPropertyStorage* storage,
                          const PropertyReading& reading) {
    TraceEnter(kProcessPropertiesTag);
    if (storage == nullptr) {
        TraceResult(kProcessPropertiesTag, 1, E_INVALIDARG);
        return E_INVALIDARG;
    }
    Interpreter interpreter(context, reading);
    const bool enumerate = reading.collect != 0 || reading.quiet == 0;
    const HRESULT hr = WithoutFalse(enumerate ? ReadAll(context, storage, reading, interpreter)
                                              : ReadFixed(storage, reading, interpreter));
    const ItemValues& values = interpreter.Values();
    if (SUCCEEDED(hr) && reading.collect == 0 && reading.directory != nullptr &&
        values.hasFlags && values.name[0] != u'\0' && values.fullName[0] != u'\0') {
        AddEntry(reading, values);
    }
    TraceResult(kProcessPropertiesTag, hr);
    return hr;
}
