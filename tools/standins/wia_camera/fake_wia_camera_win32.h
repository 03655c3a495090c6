#pragma once
// A camera service of our own behind the real WIA interfaces (device
// manager, device list, property storages, item tree, transfers, event
// registrations), so that the camera library runs without a camera. The
// service's state is plain data a test describes and reads back; every COM
// object the fake hands out counts itself, so a test can see every
// reference given back (LiveObjects() returns to 0).
#include <objbase.h>
#include <wia.h>
#include <windows.h>

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// Device types as the device list gives them (the kind in the high word),
// and the Plug and Play id property, which the SDK headers here lack.
inline constexpr std::int32_t kFakeScannerType = 0x00010000;
inline constexpr std::int32_t kFakeCameraType = 0x00020000;
inline constexpr PROPID kFakePnpIdProperty = 16;

// One property value of the types the fake serves.
struct FakeValue {
    VARTYPE type = VT_EMPTY;
    std::int32_t integer = 0;
    std::u16string text;
    GUID guid{};
    std::vector<std::uint16_t> words;  // VT_UI2 | VT_VECTOR
    std::vector<std::uint8_t> bytes;   // VT_UI1 | VT_VECTOR

    static FakeValue Int(std::int32_t value);
    static FakeValue Text(std::u16string value);
    static FakeValue Guid(const GUID& value);
    static FakeValue Time(const SYSTEMTIME& value);
    static FakeValue Bytes(std::vector<std::uint8_t> value);
};

struct FakeProperty {
    PROPID id = 0;
    std::u16string name;
    FakeValue value;
};

class FakeProperties {
  public:
    // Replaces a property of the same id, else appends.
    FakeProperties& Set(PROPID id, std::u16string name, FakeValue value);
    void Remove(PROPID id);
    const FakeProperty* Find(PROPID id) const;
    const std::vector<FakeProperty>& All() const { return all_; }

  private:
    std::vector<FakeProperty> all_;
};

struct FakeItem {
    LONG type = 0;  // WiaItemType flags
    FakeProperties properties;
    std::vector<std::unique_ptr<FakeItem>> children;
    std::vector<std::uint8_t> data;  // what a transfer hands out
    bool deleted = false;

    // A folder (or picture) below this item; its full item name continues this one's.
    FakeItem& AddFolder(const std::u16string& name);
    // A picture of the given format; an empty extension leaves the extension property out.
    FakeItem& AddPicture(const std::u16string& name, const GUID& format,
                         const std::u16string& extension, std::vector<std::uint8_t> bytes);
    std::u16string FullName() const;
    std::u16string Name() const;
};

struct FakeDevice {
    FakeProperties info;  // what the device list shows: id, name, type, PnP id, ...
    std::unique_ptr<FakeItem> root;
};

struct FakeProgramRegistration {
    LONG flags = 0;
    std::u16string deviceId;  // empty: all devices
    GUID event{};
    std::u16string commandLine;
    std::u16string name;
    std::u16string description;
    std::u16string icon;
};

struct FakeDeviceCommand {
    std::u16string deviceId;
    GUID command{};
};

class FakeWia {
  public:
    FakeWia();
    ~FakeWia();
    FakeWia(const FakeWia&) = delete;
    FakeWia& operator=(const FakeWia&) = delete;

    std::vector<FakeDevice> devices;

    // Knobs a test turns before the library runs.
    HRESULT enumDeviceInfoResult = S_OK;
    HRESULT programRegistrationResult = S_OK;
    // RegisterEventCallbackProgram never returns.
    bool hangProgramRegistration = false;
    // The interface registration with this index (0-based) fails with E_FAIL; -1 none.
    int failInterfaceRegistrationAt = -1;
    HRESULT deviceCommandResult = S_OK;
    // Bytes per band of a banded transfer; 0: half the caller's buffer.
    std::uint32_t bandSize = 0;

    // What the library did; read under Lock() while another thread may run.
    std::unique_lock<std::mutex> Lock() { return std::unique_lock<std::mutex>(mutex_); }
    std::vector<FakeProgramRegistration> programRegistrations;
    std::vector<GUID> interfaceRegistrations;  // events, in the order registered
    std::vector<FakeDeviceCommand> deviceCommands;
    int activeInterfaceRegistrations() const;

    // Calls every registered event callback as WIA would; the first result.
    HRESULT FireEvent(const GUID& event, const std::u16string& deviceId,
                      const std::u16string& fullItemName);

    FakeDevice* FindDevice(const std::u16string& id);
    // Where a hanging registration waits; never set.
    HANDLE HangEvent() const { return hang_; }

    // Internal: the live event registrations.
    struct Subscription {
        GUID event{};
        IWiaEventCallback* callback = nullptr;
        bool active = true;
    };
    std::vector<std::shared_ptr<Subscription>> subscriptions;

  private:
    std::mutex mutex_;
    HANDLE hang_;
};

// The described cameras: a camera "Fake Camera" (id kFakeCameraId) with
// \DCIM\100ABCDE holding pictures with and without an extension property, a
// protected picture and a memory bitmap whose driver sends height 0; a
// scanner; a device whose id is not a string; a second camera.
void AddStandardDevices(FakeWia& wia);
inline constexpr char16_t kFakeCameraId[] = u"{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}\\0001";
inline constexpr char16_t kSecondCameraId[] = u"{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}\\0002";
inline constexpr char16_t kFakeScannerId[] = u"{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}\\0003";
// A camera with no pictures; the root only.
FakeDevice& AddCamera(FakeWia& wia, const std::u16string& id, const std::u16string& name,
                      const std::u16string& pnpId);
// count pictures "IMG_nnnnn" of a few bytes each in folder.
void AddPictures(FakeItem& folder, int count, int firstNumber);

// The service the fake answers as; null: none (CreateFakeWiaDeviceManager fails).
void SetCurrentFakeWia(FakeWia* wia);
// A device manager over the current service; the shape of the library's device manager source.
HRESULT CreateFakeWiaDeviceManager(IWiaDevMgr** manager);
// COM objects of the fake not yet destroyed.
long FakeWiaLiveObjects();
