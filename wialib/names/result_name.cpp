#include "wialib/names/result_name.h"

#include <cstddef>

#include "diag/strings/bounded_string.h"

namespace {

struct NamedResult {
    std::uint32_t value;
    const char16_t* name;
};

constexpr NamedResult kNamedResults[] = {
    {0x00000000, u"S_OK"},
    {0x00000001, u"S_FALSE"},
    {0x00040000, u"OLE_S_USEREG"},
    {0x00040100, u"DRAGDROP_S_DROP"},
    {0x00040101, u"DRAGDROP_S_CANCEL"},
    {0x00040102, u"DRAGDROP_S_USEDEFAULTCURSORS"},
    {0x00040130, u"DATA_S_SAMEFORMATETC"},
    {0x80004001, u"E_NOTIMPL"},
    {0x80004002, u"E_NOINTERFACE"},
    {0x80004005, u"E_FAIL"},
    {0x8000FFFF, u"E_UNEXPECTED"},
    {0x8001010E, u"RPC_E_WRONG_THREAD"},
    {0x80040003, u"OLE_E_ADVISENOTSUPPORTED"},
    {0x80040064, u"DATA_E_FORMATETC"},
    {0x80040069, u"DV_E_TYMED"},
    {0x8004006B, u"DV_E_DVASPECT"},
    {0x80040111, u"CLASS_E_CLASSNOTAVAILABLE"},
    {0x80042013, u"RPC_E_STORE_NOT_AVAIL"},
    {0x80070002, u"E_FILE_NOT_FOUND"},
    {0x80070003, u"E_PATH_NOT_FOUND"},
    {0x8007000E, u"E_OUTOFMEMORY"},
    {0x80070057, u"E_INVALIDARG"},
    {0x800706BA, u"RPC_E_SERVER_UNAVAIL"},
};

constexpr int kNameUnits = 260;

}  // namespace

const char16_t* ResultName(std::uint32_t value) {
    // Per thread: the dump and registration workers trace while the dialog does.
    thread_local char16_t name[kNameUnits];
    for (const NamedResult& known : kNamedResults) {
        if (known.value == value) {
            return WcsCpy(name, kNameUnits, known.name);
        }
    }
    WsPrintf(name, kNameUnits, u"%ld", static_cast<std::int32_t>(value));
    return name;
}
