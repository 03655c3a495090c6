#include "wialib/wia/wia_value_text_win32.h"

#include <algorithm>
#include <cstring>

#include "common/win32/wide_win32.h"
#include "diag/text/bounded_format.h"
#include "diag/trace/trace.h"
#include "wialib/wia/wia_guid_win32.h"
#include "wialib/wia/wia_tags.h"

namespace {

constexpr std::size_t kShownElements = 16;

// Appends formatted text at the end of what the buffer holds.
class ValueText {
  public:
    ValueText(char16_t* text, std::size_t units) : text_(text), units_(units) {
        if (units_ != 0) {
            text_[0] = u'\0';
        }
    }
    template <typename... Args>
    void Add(const char16_t* format, const Args&... args) {
        if (used_ + 1 >= units_) {
            return;
        }
        used_ += FormatBoundedArgs(text_ + used_, units_ - used_, format, args...).length;
    }

  private:
    char16_t* text_;
    std::size_t units_;
    std::size_t used_ = 0;
};

template <typename Element, typename Print>
void AddVector(ValueText& out, const Element* elements, ULONG count, Print print) {
    out.Add(u"[%ld] ", static_cast<long>(count));
    const ULONG shown = std::min<ULONG>(count, kShownElements);
    for (ULONG i = 0; i < shown && elements != nullptr; ++i) {
        if (i != 0) {
            out.Add(u", ");
        }
        print(elements[i]);
    }
}

template <typename Element>
void CopyTime(const Element* elements, ULONG count, ULONG wanted, SYSTEMTIME* time) {
    if (time == nullptr || elements == nullptr || count != wanted) {
        return;
    }
    static_assert(sizeof(SYSTEMTIME) == 8 * sizeof(WORD));
    if constexpr (sizeof(Element) == sizeof(WORD)) {
        WORD* fields = &time->wYear;
        for (ULONG i = 0; i < count; ++i) {
            fields[i] = static_cast<WORD>(elements[i]);
        }
    } else {
        std::memcpy(time, elements, sizeof(SYSTEMTIME));
    }
}

void ConvertVector(const PROPVARIANT& value, ValueText& out, SYSTEMTIME* time,
                   std::vector<std::uint8_t>* thumbnail) {
    switch (value.vt & VT_TYPEMASK) {
    case VT_I2:
        CopyTime(value.cai.pElems, value.cai.cElems, 8, time);
        AddVector(out, value.cai.pElems, value.cai.cElems,
                  [&](SHORT v) { out.Add(u"%d", static_cast<int>(v)); });
        break;
    case VT_UI2:
        CopyTime(value.caui.pElems, value.caui.cElems, 8, time);
        AddVector(out, value.caui.pElems, value.caui.cElems,
                  [&](USHORT v) { out.Add(u"%d", static_cast<int>(v)); });
        break;
    case VT_I4:
        AddVector(out, value.cal.pElems, value.cal.cElems,
                  [&](LONG v) { out.Add(u"%ld", static_cast<long>(v)); });
        break;
    case VT_UI4:
        AddVector(out, value.caul.pElems, value.caul.cElems,
                  [&](ULONG v) { out.Add(u"%ld", static_cast<unsigned long>(v)); });
        break;
    case VT_BSTR:
        AddVector(out, value.cabstr.pElems, value.cabstr.cElems, [&](BSTR v) {
            out.Add(u"%s", v != nullptr ? AsU16(v) : u"");
        });
        break;
    case VT_I1:
        CopyTime(value.cac.pElems, value.cac.cElems, 16, time);
        AddVector(out, value.cac.pElems, value.cac.cElems, [&](CHAR v) {
            out.Add(u"0x%02x", static_cast<unsigned>(static_cast<unsigned char>(v)));
        });
        break;
    case VT_UI1:
        CopyTime(value.caub.pElems, value.caub.cElems, 16, time);
        if (thumbnail != nullptr) {
            out.Add(u"[%ld] ", static_cast<long>(value.caub.cElems));
            const UCHAR* bytes = value.caub.pElems;
            if (bytes != nullptr) {
                thumbnail->assign(bytes, bytes + value.caub.cElems);
            }
            break;
        }
        AddVector(out, value.caub.pElems, value.caub.cElems,
                  [&](UCHAR v) { out.Add(u"0x%02x", static_cast<unsigned>(v)); });
        break;
    default:
        out.Add(u"[%ld] ...", 0L);
        break;
    }
}

}  // namespace

void ConvertValueToString(const PROPVARIANT& value, char16_t* text, std::size_t units,
                          SYSTEMTIME* time, std::vector<std::uint8_t>* thumbnail) {
    TraceEnter(kConvertValueToStringTag);
    ValueText out(text, units);
    if ((value.vt & VT_VECTOR) != 0) {
        ConvertVector(value, out, time, thumbnail);
        TraceLeave(kConvertValueToStringTag, 1);
        return;
    }
    switch (value.vt) {
    case VT_EMPTY:
    case VT_NULL:
    case VT_VOID:
        break;
    case VT_I2:
        out.Add(u"%i", static_cast<int>(value.iVal));
        break;
    case VT_I4:
        out.Add(u"%li", static_cast<long>(value.lVal));
        break;
    case VT_R4:
        out.Add(u"%f", value.fltVal);
        break;
    case VT_R8:
        out.Add(u"%lf", value.dblVal);
        break;
    case VT_BSTR:
        out.Add(u"\"%s\"", value.bstrVal != nullptr ? AsU16(value.bstrVal) : u"");
        break;
    case VT_ERROR:
        out.Add(u"0x%08X", static_cast<std::uint32_t>(value.scode));
        break;
    case VT_BOOL:
        out.Add(value.boolVal == VARIANT_TRUE ? u"True" : u"False");
        break;
    case VT_I1:
        out.Add(u"%i", static_cast<int>(static_cast<signed char>(value.cVal)));
        break;
    case VT_UI1:
        out.Add(u"%u", static_cast<unsigned>(value.bVal));
        break;
    case VT_UI2:
        out.Add(u"%u", static_cast<unsigned>(value.uiVal));
        break;
    case VT_UI4:
        out.Add(u"%lu", static_cast<unsigned long>(value.ulVal));
        break;
    case VT_UINT:
        out.Add(u"%lu", static_cast<unsigned long>(value.uintVal));
        break;
    case VT_I8:
        out.Add(u"%I64i", static_cast<std::int64_t>(value.hVal.QuadPart));
        break;
    case VT_UI8:
        out.Add(u"%I64u", static_cast<std::uint64_t>(value.uhVal.QuadPart));
        break;
    case VT_INT:
        out.Add(u"%li", static_cast<long>(value.intVal));
        break;
    case VT_LPSTR:
        out.Add(u"\"%hs\"", value.pszVal != nullptr ? value.pszVal : "");
        break;
    case VT_LPWSTR:
        out.Add(u"\"%s\"", value.pwszVal != nullptr ? AsU16(value.pwszVal) : u"");
        break;
    case VT_FILETIME:
        out.Add(u"%08x:%08x", static_cast<std::uint32_t>(value.filetime.dwHighDateTime),
                static_cast<std::uint32_t>(value.filetime.dwLowDateTime));
        break;
    case VT_CLSID:
        if (value.puuid != nullptr) {
            out.Add(u"%s", GuidText(*value.puuid));
        }
        break;
    default:
        out.Add(u"[%ld] ...", 0L);
        break;
    }
    TraceLeave(kConvertValueToStringTag);
}
