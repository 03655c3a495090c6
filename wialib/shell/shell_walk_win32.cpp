#include "wialib/shell/shell_walk_win32.h"

#include "diag/text/text_utils.h"
#include "diag/trace/trace.h"
#include "wialib/names/result_name.h"
#include "wialib/shell/shell_tags.h"
#include "wialib/shell/shell_text_win32.h"

namespace {

using ItemIdList = UniqueTaskMemory<ITEMIDLIST>;

constexpr int kComputerChildLevel = 2;
constexpr int kStorageLevel = 3;
constexpr UINT kKindColumn = 1;
constexpr UINT kSizeColumn = 2;
constexpr std::u16string_view kComputerFolder = u"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
constexpr std::u16string_view kStorageKind = u"DCF";

template <typename Interface>
ComRef<Interface> UiObject(IShellFolder* folder, std::span<PCUITEMID_CHILD> ids, REFIID iid) {
    void* object = nullptr;
    if (FAILED(folder->GetUIObjectOf(nullptr, static_cast<UINT>(ids.size()), ids.data(), iid,
                                     nullptr, &object))) {
        return {};
    }
    return ComRef<Interface>(static_cast<Interface*>(object));
}

void HandOver(IShellFolder* folder, std::span<PCUITEMID_CHILD> ids, const ShellWalk& walk,
              int kind) {
    if (walk.function == nullptr) {
        return;
    }
    const auto data = UiObject<IDataObject>(folder, ids, IID_IDataObject);
    const auto menu = UiObject<IContextMenu>(folder, ids, IID_IContextMenu);
    const auto init = UiObject<IShellExtInit>(folder, ids, IID_IShellExtInit);
    if (data || menu || init) {
        walk.function(data.Get(), menu.Get(), init.Get(), walk.userData, kind);
    }
}

struct WalkedFolder {
    IShellFolder* shell;
    // For the storages' kind and size columns; null when not needed.
    IShellFolder2* details;
    int childLevel;
    std::u16string_view displayPrefix;
    std::u16string_view parsingPrefix;
};

// Looks for the item and the item names at one child inside the device and
// lists it. True when the child's id list is to be kept.
bool VisitInsideDevice(const WalkedFolder& folder, ShellWalk& walk, PCUITEMID_CHILD child,
                       const std::u16string& display, const std::u16string& parsing) {
    PCUITEMID_CHILD ids[] = {child};
    if (walk.itemParsingName && *walk.itemParsingName == parsing) {
        TracePrint(kEnumShellFolderTag, u"Found the item \"%s\" as \"%s\"", *walk.itemParsingName,
                   display);
        walk.itemFound = true;
        HandOver(folder.shell, ids, walk, kShellObjectsOfItems);
        walk.done = true;
        return false;
    }
    bool keep = false;
    for (std::size_t i = 0; i < walk.itemNames.size(); ++i) {
        std::optional<std::u16string>& name = walk.itemNames[i];
        if (name && *name == parsing) {
            TracePrint(kEnumShellFolderTag, u"Found the item [%d] \"%s\" as \"%s\"",
                       static_cast<int>(i), *name, display);
            name.reset();
            keep = true;
        }
    }
    if (!walk.ListsNames()) {
        return keep;
    }
    if (folder.childLevel == kStorageLevel && walk.sizes != nullptr) {
        const auto kind = ChildDetail(folder.details, child, kKindColumn);
        if (kind && *kind != kStorageKind) {
            return keep;
        }
        if (auto size = ChildDetail(folder.details, child, kSizeColumn)) {
            walk.sizes->push_back(std::move(*size));
        }
    }
    std::u16string entry(folder.displayPrefix);
    entry += folder.parsingPrefix;
    entry += u'\\';
    entry += display;
    walk.names->push_back(std::move(entry));
    walk.parsingNames->push_back(parsing);
    return keep;
}

// One child of the folder; the result of the last shell call, if any, goes to hr.
void VisitChild(const WalkedFolder& folder, ShellWalk& walk, ItemIdList child,
                std::vector<ItemIdList>& kept, HRESULT& hr) {
    PCUITEMID_CHILD ids[] = {child.Get()};
    SFGAOF attributes = SFGAO_FOLDER | SFGAO_REMOVABLE;
    if (FAILED(folder.shell->GetAttributesOf(1, ids, &attributes))) {
        return;
    }
    if (folder.childLevel == kComputerChildLevel && (attributes & SFGAO_REMOVABLE) == 0) {
        return;
    }
    const auto display = ChildName(folder.shell, child.Get(), SHGDN_NORMAL);
    const auto parsing = ChildName(folder.shell, child.Get(), SHGDN_INFOLDER | SHGDN_FORPARSING);
    if (!display || !parsing) {
        return;
    }
    if (walk.trace) {
        TracePrint(kEnumShellFolderTag, u"%s%s\\%s -> %s", folder.displayPrefix,
                   folder.parsingPrefix, *display, *parsing);
    }
    std::u16string childParsingPrefix(folder.parsingPrefix);
    if (walk.deviceFound) {
        childParsingPrefix += u'\\';
        childParsingPrefix += *display;
    }
    std::u16string childDisplayPrefix(folder.displayPrefix);
    if (*parsing == walk.deviceParsingName) {
        TracePrint(kEnumShellFolderTag, u"Found the device \"%s\" as \"%s\"",
                   walk.deviceParsingName, *display);
        walk.deviceFound = true;
        HandOver(folder.shell, ids, walk, kShellObjectsOfDevice);
        if (!walk.WantsBeyondDevice()) {
            walk.done = true;
            return;
        }
        // The names below the device start at the device, whatever was
        // examined before it.
        childDisplayPrefix.clear();
    } else if (!walk.deviceFound) {
        childDisplayPrefix += u'\\';
        childDisplayPrefix += *display;
    }

    bool keep = false;
    if (folder.childLevel > kComputerChildLevel) {
        keep = VisitInsideDevice(folder, walk, child.Get(), *display, *parsing);
    }
    const bool enter = walk.deviceFound || EqualsNoCase(*parsing, kComputerFolder);
    if ((attributes & SFGAO_FOLDER) != 0 && enter && !walk.done) {
        ComRef<IShellFolder2> inner;
        hr = folder.shell->BindToObject(child.Get(), nullptr, IID_IShellFolder2, inner.PutVoid());
        if (SUCCEEDED(hr) && inner) {
            hr = _EnumIShellFolder(ComRef<IShellFolder>(inner.Detach()), folder.childLevel, walk,
                                   childDisplayPrefix, childParsingPrefix);
        }
    }
    if (folder.childLevel == kComputerChildLevel && walk.deviceFound && !walk.itemFound) {
        walk.done = true;
    }
    if (keep) {
        kept.push_back(std::move(child));
    }
}

}  // namespace

HRESULT _EnumIShellFolder(ComRef<IShellFolder> folder, int level, ShellWalk& walk,
                          std::u16string_view displayPrefix, std::u16string_view parsingPrefix) {
    TraceEnter(kEnumShellFolderTag);
    if (level == 0) {
        walk.deviceFound = false;
        walk.itemFound = false;
        walk.done = false;
    }
    const int childLevel = level + 1;
    if (childLevel > walk.depthLimit) {
        TraceReturn(kEnumShellFolderTag, 1, S_OK, ResultName(S_OK));
        return S_OK;
    }
    ComRef<IEnumIDList> children;
    HRESULT hr = folder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, children.Put());
    if (FAILED(hr) || !children) {
        TraceReturn(kEnumShellFolderTag, 2, static_cast<std::uint32_t>(hr),
                    ResultName(static_cast<std::uint32_t>(hr)));
        return hr;
    }
    ComRef<IShellFolder2> details;
    if (childLevel == kStorageLevel && walk.sizes != nullptr) {
        folder->QueryInterface(IID_IShellFolder2, details.PutVoid());
    }
    const WalkedFolder here{folder.Get(), details.Get(), childLevel, displayPrefix, parsingPrefix};
    std::vector<ItemIdList> kept;
    while (!walk.done) {
        LPITEMIDLIST raw = nullptr;
        ULONG fetched = 0;
        hr = children->Next(1, &raw, &fetched);
        ItemIdList child(raw);
        if (hr != S_OK || fetched != 1 || !child.IsValid()) {
            break;
        }
        VisitChild(here, walk, std::move(child), kept, hr);
    }
    if (!kept.empty()) {
        std::vector<PCUITEMID_CHILD> ids;
        ids.reserve(kept.size());
        for (const ItemIdList& id : kept) {
            ids.push_back(id.Get());
        }
        HandOver(folder.Get(), ids, walk, kShellObjectsOfItems);
        walk.done = true;
    }
    TraceReturn(kEnumShellFolderTag, static_cast<std::uint32_t>(hr),
                ResultName(static_cast<std::uint32_t>(hr)));
    return hr;
}
