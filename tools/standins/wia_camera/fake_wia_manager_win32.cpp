// The fake device manager: device list, device creation and event registrations.
#include <wia.h>

#include <atomic>
#include <memory>
#include <utility>

#include "tools/standins/wia_camera/fake_wia_objects_win32.h"

namespace fake_wia {

namespace {

std::u16string TextOf(BSTR text) {
    return text != nullptr ? std::u16string(reinterpret_cast<const char16_t*>(text))
                           : std::u16string();
}

class DeviceInfoEnum final : public Counted<IEnumWIA_DEV_INFO, IID_IEnumWIA_DEV_INFO> {
  public:
    explicit DeviceInfoEnum(FakeWia* wia) : wia_(wia) {}

    HRESULT WINAPI Next(ULONG count, IWiaPropertyStorage** out, ULONG* fetched) override {
        if (out == nullptr) {
            return E_POINTER;
        }
        ULONG given = 0;
        while (given < count && next_ < wia_->devices.size()) {
            out[given++] = NewPropertyStorage(&wia_->devices[next_++].info);
        }
        if (fetched != nullptr) {
            *fetched = given;
        }
        return given == count ? S_OK : S_FALSE;
    }
    HRESULT WINAPI Skip(ULONG count) override {
        next_ += count;
        return next_ <= wia_->devices.size() ? S_OK : S_FALSE;
    }
    HRESULT WINAPI Reset() override {
        next_ = 0;
        return S_OK;
    }
    HRESULT WINAPI Clone(IEnumWIA_DEV_INFO**) override { return E_NOTIMPL; }
    HRESULT WINAPI GetCount(ULONG* count) override {
        if (count == nullptr) {
            return E_POINTER;
        }
        *count = static_cast<ULONG>(wia_->devices.size());
        return S_OK;
    }

  private:
    FakeWia* wia_;
    std::size_t next_ = 0;
};

// What RegisterEventCallbackInterface hands out: the registration lasts while it lives.
class EventRegistration final : public Counted<IUnknown, IID_IUnknown> {
  public:
    EventRegistration(FakeWia* wia, std::shared_ptr<FakeWia::Subscription> subscription)
        : wia_(wia), subscription_(std::move(subscription)) {}
    ~EventRegistration() override {
        IWiaEventCallback* callback = nullptr;
        {
            auto lock = wia_->Lock();
            subscription_->active = false;
            callback = std::exchange(subscription_->callback, nullptr);
        }
        callback->Release();
    }

  private:
    FakeWia* wia_;
    std::shared_ptr<FakeWia::Subscription> subscription_;
};

class DeviceManager final : public Counted<IWiaDevMgr, IID_IWiaDevMgr> {
  public:
    explicit DeviceManager(FakeWia* wia) : wia_(wia) {}

    HRESULT WINAPI EnumDeviceInfo(LONG, IEnumWIA_DEV_INFO** out) override {
        if (out == nullptr) {
            return E_POINTER;
        }
        *out = nullptr;
        if (FAILED(wia_->enumDeviceInfoResult)) {
            return wia_->enumDeviceInfoResult;
        }
        *out = new DeviceInfoEnum(wia_);
        return S_OK;
    }
    HRESULT WINAPI CreateDevice(BSTR id, IWiaItem** root) override {
        if (root == nullptr) {
            return E_POINTER;
        }
        *root = nullptr;
        FakeDevice* device = wia_->FindDevice(TextOf(id));
        if (device == nullptr || !device->root) {
            return WIA_S_NO_DEVICE_AVAILABLE;
        }
        *root = NewItem(wia_, device, device->root.get());
        return S_OK;
    }
    HRESULT WINAPI SelectDeviceDlg(HWND, LONG, LONG, BSTR*, IWiaItem**) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI SelectDeviceDlgID(HWND, LONG, LONG, BSTR*) override { return E_NOTIMPL; }
    HRESULT WINAPI GetImageDlg(HWND, LONG, LONG, LONG, IWiaItem*, BSTR, GUID*) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI RegisterEventCallbackProgram(LONG flags, BSTR deviceId, const GUID* event,
                                                BSTR commandLine, BSTR name, BSTR description,
                                                BSTR icon) override {
        if (event == nullptr) {
            return E_INVALIDARG;
        }
        {
            auto lock = wia_->Lock();
            wia_->programRegistrations.push_back(
                FakeProgramRegistration{flags, TextOf(deviceId), *event, TextOf(commandLine),
                                        TextOf(name), TextOf(description), TextOf(icon)});
        }
        if (wia_->hangProgramRegistration) {
            WaitForSingleObject(wia_->HangEvent(), INFINITE);
        }
        return wia_->programRegistrationResult;
    }
    HRESULT WINAPI RegisterEventCallbackInterface(LONG, BSTR, const GUID* event,
                                                  IWiaEventCallback* callback,
                                                  IUnknown** registration) override {
        if (event == nullptr || callback == nullptr || registration == nullptr) {
            return E_INVALIDARG;
        }
        *registration = nullptr;
        auto subscription = std::make_shared<FakeWia::Subscription>();
        subscription->event = *event;
        subscription->callback = callback;
        {
            auto lock = wia_->Lock();
            const int index = static_cast<int>(wia_->interfaceRegistrations.size());
            wia_->interfaceRegistrations.push_back(*event);
            if (index == wia_->failInterfaceRegistrationAt) {
                return E_FAIL;
            }
            wia_->subscriptions.push_back(subscription);
        }
        callback->AddRef();
        *registration = new EventRegistration(wia_, std::move(subscription));
        return S_OK;
    }
    HRESULT WINAPI RegisterEventCallbackCLSID(LONG, BSTR, const GUID*, const GUID*, BSTR, BSTR,
                                              BSTR) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI AddDeviceDlg(HWND, LONG) override { return E_NOTIMPL; }

  private:
    FakeWia* wia_;
};

}  // namespace

std::atomic<long>& LiveObjects() {
    static std::atomic<long> count{0};
    return count;
}

IWiaDevMgr* NewDeviceManager(FakeWia* wia) {
    return new DeviceManager(wia);
}

}  // namespace fake_wia
