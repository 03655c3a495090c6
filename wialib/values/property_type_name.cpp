#include "wialib/values/property_type_name.h"

#include "diag/strings/bounded_string.h"

namespace {

struct NamedType {
    std::uint16_t type;
    const char16_t* name;
};

constexpr NamedType kNamedTypes[] = {
    {0, u"VT_EMPTY"},        {1, u"VT_NULL"},    {2, u"VT_I2"},         {3, u"VT_I4"},
    {4, u"VT_R4"},           {5, u"VT_R8"},      {6, u"VT_CY"},         {7, u"VT_DATE"},
    {8, u"VT_BSTR"},         {10, u"VT_ERROR"},  {11, u"VT_BOOL"},      {12, u"VT_VARIANT"},
    {14, u"VT_DECIMAL"},     {16, u"VT_I1"},     {17, u"VT_UI1"},       {18, u"VT_UI2"},
    {19, u"VT_UI4"},         {20, u"VT_I8"},     {21, u"VT_UI8"},       {22, u"VT_INT"},
    {23, u"VT_UINT"},        {24, u"VT_VOID"},   {27, u"VT_SAFEARRAY"}, {29, u"VT_USERDEFINED"},
    {30, u"VT_LPSTR"},       {31, u"VT_LPWSTR"}, {36, u"VT_RECORD"},    {64, u"VT_FILETIME"},
    {65, u"VT_BLOB"},        {66, u"VT_STREAM"}, {67, u"VT_STORAGE"},   {68, u"VT_STREAMED_OBJECT"},
    {69, u"VT_BLOB_OBJECT"}, {71, u"VT_CF"},     {72, u"VT_CLSID"},
};

struct NamedFlag {
    std::uint16_t flag;
    const char16_t* suffix;
};

constexpr NamedFlag kNamedFlags[] = {
    {0x1000, u"|VT_VECTOR"},
    {0x2000, u"|VT_ARRAY"},
    {0x8000, u"|VT_RESERVED"},
};

constexpr std::uint16_t kBaseTypeMask = 0x0FFF;

std::u16string BaseTypeName(std::uint16_t base) {
    for (const NamedType& named : kNamedTypes) {
        if (named.type == base) {
            return named.name;
        }
    }
    char16_t unknown[32];
    WsPrintf(unknown, static_cast<int>(std::size(unknown)), u"Unknown (%d)", int{base});
    return unknown;
}

}  // namespace

std::u16string PropertyTypeName(std::uint16_t type) {
    std::u16string name = BaseTypeName(type & kBaseTypeMask);
    for (const NamedFlag& named : kNamedFlags) {
        if ((type & named.flag) != 0) {
            name += named.suffix;
        }
    }
    return name;
}
