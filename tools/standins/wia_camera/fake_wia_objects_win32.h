#pragma once
// The fake's COM objects: a counted base and the factories each file offers
// the others.
#include <atomic>

#include "tools/standins/wia_camera/fake_wia_camera_win32.h"

namespace fake_wia {

std::atomic<long>& LiveObjects();

// IUnknown for one interface; further interfaces through QueryOther.
template <typename Interface, const IID& Iid>
class Counted : public Interface {
  public:
    Counted() { ++LiveObjects(); }
    virtual ~Counted() { --LiveObjects(); }
    Counted(const Counted&) = delete;
    Counted& operator=(const Counted&) = delete;

    HRESULT WINAPI QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr) {
            return E_POINTER;
        }
        *out = nullptr;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, Iid)) {
            *out = static_cast<Interface*>(this);
            this->AddRef();
            return S_OK;
        }
        return QueryOther(iid, out);
    }
    ULONG WINAPI AddRef() override { return static_cast<ULONG>(++references_); }
    ULONG WINAPI Release() override {
        const long left = --references_;
        if (left == 0) {
            delete this;
        }
        return static_cast<ULONG>(left);
    }

  protected:
    virtual HRESULT QueryOther(REFIID, void**) { return E_NOINTERFACE; }

  private:
    std::atomic<long> references_{1};
};

// Each returns a new object holding one reference.
IWiaPropertyStorage* NewPropertyStorage(FakeProperties* properties);
IWiaItem* NewItem(FakeWia* wia, FakeDevice* device, FakeItem* item);
IWiaDataTransfer* NewDataTransfer(FakeWia* wia, FakeItem* item);
IWiaDevMgr* NewDeviceManager(FakeWia* wia);

// A copy of a value as a PROPVARIANT the caller frees.
void ToPropVariant(const FakeValue& value, PROPVARIANT* out);
// The value a caller wrote (WriteMultiple).
FakeValue FromPropVariant(const PROPVARIANT& value);

}  // namespace fake_wia
