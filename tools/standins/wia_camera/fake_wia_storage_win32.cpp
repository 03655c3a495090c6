// Property storages over a list of fake properties, and their enumerators.
#include <cstring>

#include "tools/standins/wia_camera/fake_wia_objects_win32.h"

namespace fake_wia {

namespace {

const wchar_t* Wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

template <typename T>
T* TaskCopy(const T* source, std::size_t count) {
    auto* copy = static_cast<T*>(CoTaskMemAlloc(count * sizeof(T) + 1));
    if (copy != nullptr && count != 0) {
        std::memcpy(copy, source, count * sizeof(T));
    }
    return copy;
}

class PropertyEnum final : public Counted<IEnumSTATPROPSTG, IID_IEnumSTATPROPSTG> {
  public:
    explicit PropertyEnum(const FakeProperties* properties) : properties_(properties) {}

    HRESULT WINAPI Next(ULONG count, STATPROPSTG* out, ULONG* fetched) override {
        ULONG given = 0;
        const auto& all = properties_->All();
        while (given < count && next_ < all.size()) {
            const FakeProperty& property = all[next_++];
            STATPROPSTG& stat = out[given++];
            stat.propid = property.id;
            stat.vt = property.value.type;
            stat.lpwstrName = nullptr;
            if (!property.name.empty()) {
                stat.lpwstrName = TaskCopy(Wide(property.name), property.name.size() + 1);
            }
        }
        if (fetched != nullptr) {
            *fetched = given;
        }
        return given == count ? S_OK : S_FALSE;
    }
    HRESULT WINAPI Skip(ULONG count) override {
        next_ += count;
        return next_ <= properties_->All().size() ? S_OK : S_FALSE;
    }
    HRESULT WINAPI Reset() override {
        next_ = 0;
        return S_OK;
    }
    HRESULT WINAPI Clone(IEnumSTATPROPSTG** out) override {
        if (out != nullptr) {
            *out = nullptr;
        }
        return E_NOTIMPL;
    }

  private:
    const FakeProperties* properties_;
    std::size_t next_ = 0;
};

class PropertyStorage final : public Counted<IWiaPropertyStorage, IID_IWiaPropertyStorage> {
  public:
    explicit PropertyStorage(FakeProperties* properties) : properties_(properties) {}

    HRESULT WINAPI ReadMultiple(ULONG count, const PROPSPEC specs[], PROPVARIANT values[]) override {
        if (specs == nullptr || values == nullptr) {
            return E_INVALIDARG;
        }
        bool any = false;
        for (ULONG i = 0; i < count; ++i) {
            PropVariantInit(&values[i]);
            if (specs[i].ulKind != PRSPEC_PROPID) {
                continue;
            }
            if (const FakeProperty* property = properties_->Find(specs[i].propid)) {
                ToPropVariant(property->value, &values[i]);
                any = true;
            }
        }
        return any ? S_OK : S_FALSE;
    }
    HRESULT WINAPI WriteMultiple(ULONG count, const PROPSPEC specs[], const PROPVARIANT values[],
                                 PROPID) override {
        if (specs == nullptr || values == nullptr) {
            return E_INVALIDARG;
        }
        for (ULONG i = 0; i < count; ++i) {
            if (specs[i].ulKind != PRSPEC_PROPID) {
                return E_INVALIDARG;
            }
            const FakeProperty* old = properties_->Find(specs[i].propid);
            properties_->Set(specs[i].propid, old != nullptr ? old->name : std::u16string(),
                             FromPropVariant(values[i]));
        }
        return S_OK;
    }
    HRESULT WINAPI DeleteMultiple(ULONG, const PROPSPEC[]) override { return E_NOTIMPL; }
    HRESULT WINAPI ReadPropertyNames(ULONG, const PROPID[], LPOLESTR[]) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI WritePropertyNames(ULONG, const PROPID[], const LPOLESTR[]) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI DeletePropertyNames(ULONG, const PROPID[]) override { return E_NOTIMPL; }
    HRESULT WINAPI Commit(DWORD) override { return S_OK; }
    HRESULT WINAPI Revert() override { return E_NOTIMPL; }
    HRESULT WINAPI Enum(IEnumSTATPROPSTG** out) override {
        if (out == nullptr) {
            return E_POINTER;
        }
        *out = new PropertyEnum(properties_);
        return S_OK;
    }
    HRESULT WINAPI SetTimes(const FILETIME*, const FILETIME*, const FILETIME*) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI SetClass(REFCLSID) override { return E_NOTIMPL; }
    HRESULT WINAPI Stat(STATPROPSETSTG*) override { return E_NOTIMPL; }
    HRESULT WINAPI GetPropertyAttributes(ULONG, PROPSPEC[], ULONG[], PROPVARIANT[]) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI GetCount(ULONG* count) override {
        if (count == nullptr) {
            return E_POINTER;
        }
        *count = static_cast<ULONG>(properties_->All().size());
        return S_OK;
    }
    HRESULT WINAPI GetPropertyStream(GUID*, IStream**) override { return E_NOTIMPL; }
    HRESULT WINAPI SetPropertyStream(GUID*, IStream*) override { return E_NOTIMPL; }

  private:
    FakeProperties* properties_;
};

}  // namespace

void ToPropVariant(const FakeValue& value, PROPVARIANT* out) {
    PropVariantInit(out);
    out->vt = value.type;
    switch (value.type) {
    case VT_I4:
        out->lVal = value.integer;
        break;
    case VT_BSTR:
        out->bstrVal = SysAllocString(Wide(value.text));
        break;
    case VT_CLSID:
        out->puuid = TaskCopy(&value.guid, 1);
        break;
    case VT_UI2 | VT_VECTOR:
        out->caui.cElems = static_cast<ULONG>(value.words.size());
        out->caui.pElems = TaskCopy(value.words.data(), value.words.size());
        break;
    case VT_UI1 | VT_VECTOR:
        out->caub.cElems = static_cast<ULONG>(value.bytes.size());
        out->caub.pElems = TaskCopy(value.bytes.data(), value.bytes.size());
        break;
    default:
        out->vt = VT_EMPTY;
        break;
    }
}

FakeValue FromPropVariant(const PROPVARIANT& value) {
    FakeValue made;
    made.type = value.vt;
    switch (value.vt) {
    case VT_I4:
        made.integer = value.lVal;
        break;
    case VT_BSTR:
        if (value.bstrVal != nullptr) {
            made.text = reinterpret_cast<const char16_t*>(value.bstrVal);
        }
        break;
    case VT_CLSID:
        if (value.puuid != nullptr) {
            made.guid = *value.puuid;
        }
        break;
    default:
        made.type = VT_EMPTY;
        break;
    }
    return made;
}

IWiaPropertyStorage* NewPropertyStorage(FakeProperties* properties) {
    return new PropertyStorage(properties);
}

}  // namespace fake_wia
