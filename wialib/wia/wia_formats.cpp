#include "wialib/wia/wia_formats.h"

#include <array>

#include "diag/text/text_units.h"

namespace {

constexpr std::array<WiaFormat, 12> kFormats{{
    {u"{B96B3CAB-0728-11D3-9D7B-0000F81EF32E}", u"BMP", u"bmp"},
    {u"{B96B3CAF-0728-11D3-9D7B-0000F81EF32E}", u"PNG", u"png"},
    {u"{B96B3CB0-0728-11D3-9D7B-0000F81EF32E}", u"GIF", u"gif"},
    {u"{B96B3CAE-0728-11D3-9D7B-0000F81EF32E}", u"JPEG", u"jpg"},
    {u"{B96B3CB1-0728-11D3-9D7B-0000F81EF32E}", u"TIFF", u"tiff"},
    {u"{B96B3CAC-0728-11D3-9D7B-0000F81EF32E}", u"EMF", u"emf"},
    {u"{B96B3CB2-0728-11D3-9D7B-0000F81EF32E}", u"EXIF", u"exif"},
    {u"{B96B3CB5-0728-11D3-9D7B-0000F81EF32E}", u"Icon", u"ico"},
    {u"{B96B3CAA-0728-11D3-9D7B-0000F81EF32E}", u"MemoryBMP", u"bmp"},
    {u"{B96B3CAD-0728-11D3-9D7B-0000F81EF32E}", u"WMF", u"wmf"},
    {u"{32F8CA14-087C-4908-B7C4-6757FE7E90AB}", u"AVI", u"avi"},
    {u"{B96B3CA9-0728-11D3-9D7B-0000F81EF32E}", u"Undefined (RAW)", u"raw"},
}};

bool SameInUpperCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (UpperAscii(a[i]) != UpperAscii(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<WiaFormat> FindWiaFormat(std::u16string_view guidText) {
    for (const WiaFormat& format : kFormats) {
        if (SameInUpperCase(format.guidText, guidText)) {
            return format;
        }
    }
    return std::nullopt;
}
