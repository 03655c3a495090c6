#include "tests/wialib/fake_shell_win32.h"

#include <atomic>
#include <cstdint>
#include <cstring>

#include "common/win32/wide_win32.h"
#include "wialib/shell/shell_lookup_win32.h"

namespace {

std::atomic<long> liveObjects{0};
FakeShell* current = nullptr;

// Each object counts its references and itself.
template <typename... Interfaces>
class FakeObject : public Interfaces... {
  public:
    FakeObject() { ++liveObjects; }
    virtual ~FakeObject() { --liveObjects; }
    FakeObject(const FakeObject&) = delete;
    FakeObject& operator=(const FakeObject&) = delete;

  protected:
    ULONG AddRef_() { return ++references_; }
    ULONG Release_() {
        const ULONG left = --references_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

  private:
    std::atomic<ULONG> references_{1};
};

// An item id list of one id holding the node's address.
struct NodeId {
    USHORT cb;
    std::uintptr_t node;
    USHORT terminator;
} __attribute__((packed));

PITEMID_CHILD MakeId(FakeShellNode* node) {
    auto* id = static_cast<NodeId*>(CoTaskMemAlloc(sizeof(NodeId)));
    id->cb = static_cast<USHORT>(sizeof(USHORT) + sizeof(std::uintptr_t));
    id->node = reinterpret_cast<std::uintptr_t>(node);
    id->terminator = 0;
    return reinterpret_cast<PITEMID_CHILD>(id);
}

FakeShellNode* NodeOf(PCUIDLIST_RELATIVE id) {
    std::uintptr_t node = 0;
    std::memcpy(&node, reinterpret_cast<const BYTE*>(id) + sizeof(USHORT), sizeof(std::uintptr_t));
    return reinterpret_cast<FakeShellNode*>(node);
}

HRESULT Answer(const std::u16string& text, bool ansi, STRRET* out) {
    if (ansi) {
        out->uType = STRRET_CSTR;
        std::size_t i = 0;
        for (; i < text.size() && i + 1 < std::size(out->cStr); ++i) {
            out->cStr[i] = static_cast<char>(text[i]);
        }
        out->cStr[i] = '\0';
        return S_OK;
    }
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    auto* copy = static_cast<wchar_t*>(CoTaskMemAlloc(bytes));
    std::memcpy(copy, text.c_str(), bytes);
    out->uType = STRRET_WSTR;
    out->pOleStr = copy;
    return S_OK;
}

class FakeUiObject final : public FakeObject<IDataObject, IContextMenu, IShellExtInit> {
  public:
    explicit FakeUiObject(std::vector<const FakeShellNode*> nodes) : nodes_(std::move(nodes)) {}
    const std::vector<const FakeShellNode*>& Nodes() const { return nodes_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IDataObject) {
            *out = static_cast<IDataObject*>(this);
        } else if (iid == IID_IContextMenu) {
            *out = static_cast<IContextMenu*>(this);
        } else if (iid == IID_IShellExtInit) {
            *out = static_cast<IShellExtInit*>(this);
        } else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef_();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return AddRef_(); }
    ULONG STDMETHODCALLTYPE Release() override { return Release_(); }

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

    HRESULT STDMETHODCALLTYPE QueryContextMenu(HMENU, UINT, UINT, UINT, UINT) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE InvokeCommand(CMINVOKECOMMANDINFO*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCommandString(UINT_PTR, UINT, UINT*, CHAR*, UINT) override {
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE Initialize(PCIDLIST_ABSOLUTE, IDataObject*, HKEY) override {
        return E_NOTIMPL;
    }

  private:
    std::vector<const FakeShellNode*> nodes_;
};

class FakeEnum final : public FakeObject<IEnumIDList> {
  public:
    explicit FakeEnum(FakeShellNode& node) : node_(node) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IEnumIDList) {
            *out = static_cast<IEnumIDList*>(this);
            AddRef_();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return AddRef_(); }
    ULONG STDMETHODCALLTYPE Release() override { return Release_(); }

    HRESULT STDMETHODCALLTYPE Next(ULONG count, PITEMID_CHILD* ids, ULONG* fetched) override {
        ULONG given = 0;
        for (; given < count && next_ < node_.children.size(); ++given, ++next_) {
            ids[given] = MakeId(node_.children[next_].get());
        }
        if (fetched != nullptr) {
            *fetched = given;
        }
        return given == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reset() override {
        next_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumIDList**) override { return E_NOTIMPL; }

  private:
    FakeShellNode& node_;
    std::size_t next_ = 0;
};

class FakeFolder final : public FakeObject<IShellFolder2> {
  public:
    explicit FakeFolder(FakeShellNode& node) : node_(node) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IShellFolder || iid == IID_IShellFolder2) {
            *out = static_cast<IShellFolder2*>(this);
            AddRef_();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return AddRef_(); }
    ULONG STDMETHODCALLTYPE Release() override { return Release_(); }

    HRESULT STDMETHODCALLTYPE ParseDisplayName(HWND, IBindCtx*, LPWSTR, ULONG*, PIDLIST_RELATIVE*,
                                               ULONG*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE EnumObjects(HWND, SHCONTF, IEnumIDList** out) override {
        ++node_.enumerations;
        *out = new FakeEnum(node_);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE BindToObject(PCUIDLIST_RELATIVE id, IBindCtx*, REFIID iid,
                                           void** out) override {
        FakeShellNode* child = NodeOf(id);
        if ((child->attributes & SFGAO_FOLDER) == 0) {
            *out = nullptr;
            return E_FAIL;
        }
        auto* folder = new FakeFolder(*child);
        const HRESULT hr = folder->QueryInterface(iid, out);
        folder->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE BindToStorage(PCUIDLIST_RELATIVE, IBindCtx*, REFIID,
                                            void**) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE CompareIDs(LPARAM, PCUIDLIST_RELATIVE, PCUIDLIST_RELATIVE) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE CreateViewObject(HWND, REFIID, void**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetAttributesOf(UINT count, PCUITEMID_CHILD_ARRAY ids,
                                              SFGAOF* attributes) override {
        for (UINT i = 0; i < count; ++i) {
            *attributes &= NodeOf(ids[i])->attributes;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetUIObjectOf(HWND, UINT count, PCUITEMID_CHILD_ARRAY ids, REFIID iid,
                                            UINT*, void** out) override {
        std::vector<const FakeShellNode*> nodes;
        for (UINT i = 0; i < count; ++i) {
            nodes.push_back(NodeOf(ids[i]));
        }
        auto* object = new FakeUiObject(std::move(nodes));
        const HRESULT hr = object->QueryInterface(iid, out);
        object->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE GetDisplayNameOf(PCUITEMID_CHILD id, SHGDNF flags,
                                               STRRET* name) override {
        const FakeShellNode& child = *NodeOf(id);
        if (child.unreadable) {
            return E_FAIL;
        }
        return Answer((flags & SHGDN_FORPARSING) != 0 ? child.parsing : child.display,
                      child.ansiNames, name);
    }
    HRESULT STDMETHODCALLTYPE SetNameOf(HWND, PCUITEMID_CHILD, LPCWSTR, SHGDNF,
                                        PITEMID_CHILD*) override {
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE GetDefaultSearchGUID(GUID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumSearches(IEnumExtraSearch**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDefaultColumn(DWORD, ULONG*, ULONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDefaultColumnState(UINT, SHCOLSTATEF*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetDetailsEx(PCUITEMID_CHILD, const SHCOLUMNID*, VARIANT*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetDetailsOf(PCUITEMID_CHILD id, UINT column,
                                           SHELLDETAILS* details) override {
        if (id == nullptr) {
            return E_FAIL;
        }
        const FakeShellNode& child = *NodeOf(id);
        const std::optional<std::u16string>& text = column == 1   ? child.column1
                                                    : column == 2 ? child.column2
                                                                  : std::nullopt;
        if (!text) {
            return E_FAIL;
        }
        return Answer(*text, false, &details->str);
    }
    HRESULT STDMETHODCALLTYPE MapColumnToSCID(UINT, SHCOLUMNID*) override { return E_NOTIMPL; }

  private:
    FakeShellNode& node_;
};

HRESULT FakeDesktop(IShellFolder** folder) {
    *folder = new FakeFolder(current->Desktop());
    return S_OK;
}

}  // namespace

FakeShellNode& FakeShellNode::Add(std::u16string childDisplay, std::u16string childParsing,
                                  SFGAOF childAttributes) {
    auto child = std::make_unique<FakeShellNode>();
    child->display = std::move(childDisplay);
    child->parsing = std::move(childParsing);
    child->attributes = childAttributes;
    children.push_back(std::move(child));
    return *children.back();
}

std::vector<const FakeShellNode*> NodesOf(IUnknown* uiObject) {
    IDataObject* data = nullptr;
    if (uiObject == nullptr ||
        FAILED(uiObject->QueryInterface(IID_IDataObject, reinterpret_cast<void**>(&data)))) {
        return {};
    }
    auto nodes = static_cast<FakeUiObject*>(data)->Nodes();
    data->Release();
    return nodes;
}

FakeShell::FakeShell() {
    current = this;
    SetDesktopFolderSource(FakeDesktop);
}

FakeShell::~FakeShell() {
    SetDesktopFolderSource(nullptr);
    current = nullptr;
}

long FakeShell::LiveObjects() {
    return liveObjects.load();
}
