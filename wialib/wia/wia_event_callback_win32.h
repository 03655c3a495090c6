#pragma once
// The in-process handler of WIA events: registered for connect, disconnect,
// item created and item deleted, it hands each event to the caller's
// function with the event's code. Reference-counted; deleted at the last
// release.
#include <array>
#include <atomic>

#include "common/win32/ownership_win32.h"
#include "wialib/wia/wialib_win32.h"

// The code handed to the caller's function: 1 ... 4 for the four events, else 0.
int WiaEventCode(const GUID& event);

class CWiaEventCallback final : public IWiaEventCallback {
  public:
    CWiaEventCallback();
    CWiaEventCallback(const CWiaEventCallback&) = delete;
    CWiaEventCallback& operator=(const CWiaEventCallback&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE ImageEventCallback(const GUID* event, BSTR eventDescription,
                                                 BSTR deviceId, BSTR deviceDescription,
                                                 DWORD deviceType, BSTR fullItemName,
                                                 ULONG* eventType, ULONG reserved) override;

    // Registers for the four events in order; the first failure is returned
    // at once and what was registered before it stays until DeRegister.
    HRESULT Register(IWiaDevMgr* manager, WiaEventFunction function, void* userData);
    // Gives back every registration, so that WIA stops calling; 0.
    HRESULT DeRegister();

  private:
    ~CWiaEventCallback();

    std::atomic<LONG> references_{1};
    std::array<ComRef<IUnknown>, 4> registrations_;
    std::atomic<WiaEventFunction> function_{nullptr};
    std::atomic<void*> userData_{nullptr};
};
