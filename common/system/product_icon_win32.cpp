#include "common/system/product_icon_win32.h"

#include "common/system/module_path_win32.h"
#include "common/system/product_icon_ids.h"
#include "common/win32/ownership_win32.h"
#include "common/win32/wide_win32.h"
#include "config/mapper_contract.h"
#include "diag/text/text_units.h"
#include "diag/trace/trace.h"
#include "wialib/names/result_name.h"

namespace {

constexpr char16_t kTag[] = u"B15@LoadTheIcon: ";

}  // namespace

HICON LoadTheIcon(bool fromMapper, bool small, int iconId) {
    TraceEnter(kTag);
    const int id = iconId == 0 ? IDI_PRODUCT : iconId;
    char16_t path[kPathUnits];
    if (!BuildModulePath(path, std::size(path),
                         fromMapper ? contract::kMapperFile : contract::kBuilderFile, false)) {
        TraceLeave(kTag, 1);
        return nullptr;
    }
    const UniqueModule module(LoadLibraryExW(AsWide(path), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    if (!module.IsValid()) {
        TracePrint(kTag, u"Cannot load %s", path);
        TraceLeave(kTag, 2);
        return nullptr;
    }
    const int size = small ? 16 : GetSystemMetrics(SM_CXICON);
    // LR_SHARED is not used: the icon must outlive the data-file module.
    auto* icon = static_cast<HICON>(
        LoadImageW(module.Get(), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0));
    const auto low = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(icon));
    TraceReturn(kTag, low, ResultName(low));
    return icon;
}
