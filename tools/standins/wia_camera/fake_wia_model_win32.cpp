#include <wia.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <utility>

#include "tools/standins/wia_camera/fake_wia_camera_win32.h"
#include "tools/standins/wia_camera/fake_wia_objects_win32.h"

namespace {

std::atomic<FakeWia*> current{nullptr};

constexpr SYSTEMTIME kPictureTime{2021, 6, 0, 15, 14, 30, 5, 0};

std::u16string Numbered(const char16_t* prefix, int number) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%05d", number);
    std::u16string text(prefix);
    for (const char* c = digits; *c != '\0'; ++c) {
        text += static_cast<char16_t>(*c);
    }
    return text;
}

// A memory bitmap as a driver sends it: info header with height 0, then rows.
std::vector<std::uint8_t> MemoryBitmapBytes() {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = 4;
    header.biHeight = 0;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    std::vector<std::uint8_t> bytes(sizeof header + 2 * 12);
    std::copy_n(reinterpret_cast<const std::uint8_t*>(&header), sizeof header, bytes.begin());
    for (std::size_t i = sizeof header; i < bytes.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>(i);
    }
    return bytes;
}

std::vector<std::uint8_t> TextBytes(const char* text) {
    return std::vector<std::uint8_t>(text, text + std::char_traits<char>::length(text));
}

}  // namespace

FakeValue FakeValue::Int(std::int32_t value) {
    FakeValue made;
    made.type = VT_I4;
    made.integer = value;
    return made;
}

FakeValue FakeValue::Text(std::u16string value) {
    FakeValue made;
    made.type = VT_BSTR;
    made.text = std::move(value);
    return made;
}

FakeValue FakeValue::Guid(const GUID& value) {
    FakeValue made;
    made.type = VT_CLSID;
    made.guid = value;
    return made;
}

FakeValue FakeValue::Time(const SYSTEMTIME& value) {
    FakeValue made;
    made.type = VT_UI2 | VT_VECTOR;
    made.words = {value.wYear, value.wMonth,  value.wDayOfWeek, value.wDay,
                  value.wHour, value.wMinute, value.wSecond,    value.wMilliseconds};
    return made;
}

FakeValue FakeValue::Bytes(std::vector<std::uint8_t> value) {
    FakeValue made;
    made.type = VT_UI1 | VT_VECTOR;
    made.bytes = std::move(value);
    return made;
}

FakeProperties& FakeProperties::Set(PROPID id, std::u16string name, FakeValue value) {
    for (FakeProperty& property : all_) {
        if (property.id == id) {
            property.name = std::move(name);
            property.value = std::move(value);
            return *this;
        }
    }
    all_.push_back(FakeProperty{id, std::move(name), std::move(value)});
    return *this;
}

void FakeProperties::Remove(PROPID id) {
    std::erase_if(all_, [id](const FakeProperty& property) { return property.id == id; });
}

const FakeProperty* FakeProperties::Find(PROPID id) const {
    for (const FakeProperty& property : all_) {
        if (property.id == id) {
            return &property;
        }
    }
    return nullptr;
}

std::u16string FakeItem::FullName() const {
    const FakeProperty* full = properties.Find(WIA_IPA_FULL_ITEM_NAME);
    return full != nullptr ? full->value.text : std::u16string();
}

std::u16string FakeItem::Name() const {
    const FakeProperty* name = properties.Find(WIA_IPA_ITEM_NAME);
    return name != nullptr ? name->value.text : std::u16string();
}

FakeItem& FakeItem::AddFolder(const std::u16string& name) {
    auto folder = std::make_unique<FakeItem>();
    folder->type = WiaItemTypeFolder;
    folder->properties.Set(WIA_IPA_ITEM_NAME, u"Item Name", FakeValue::Text(name))
        .Set(WIA_IPA_FULL_ITEM_NAME, u"Full Item Name", FakeValue::Text(FullName() + u"\\" + name))
        .Set(WIA_IPA_ITEM_FLAGS, u"Item Flags", FakeValue::Int(WiaItemTypeFolder))
        .Set(WIA_IPA_ACCESS_RIGHTS, u"Access Rights", FakeValue::Int(WIA_ITEM_RD));
    children.push_back(std::move(folder));
    return *children.back();
}

FakeItem& FakeItem::AddPicture(const std::u16string& name, const GUID& format,
                               const std::u16string& extension, std::vector<std::uint8_t> bytes) {
    auto picture = std::make_unique<FakeItem>();
    const LONG flags = WiaItemTypeFile | WiaItemTypeImage;
    picture->type = flags;
    picture->properties.Set(WIA_IPA_ITEM_NAME, u"Item Name", FakeValue::Text(name))
        .Set(WIA_IPA_FULL_ITEM_NAME, u"Full Item Name", FakeValue::Text(FullName() + u"\\" + name))
        .Set(WIA_IPA_ITEM_TIME, u"Item Time Stamp", FakeValue::Time(kPictureTime))
        .Set(WIA_IPA_ITEM_FLAGS, u"Item Flags", FakeValue::Int(flags))
        .Set(WIA_IPA_ACCESS_RIGHTS, u"Access Rights", FakeValue::Int(WIA_ITEM_RD))
        .Set(WIA_IPA_PREFERRED_FORMAT, u"Preferred Format", FakeValue::Guid(format))
        .Set(WIA_IPA_FORMAT, u"Format", FakeValue::Guid(format))
        .Set(WIA_IPA_TYMED, u"Media Type", FakeValue::Int(TYMED_FILE | TYMED_CALLBACK))
        .Set(WIA_IPA_ITEM_SIZE, u"Item Size",
             FakeValue::Int(static_cast<std::int32_t>(bytes.size())));
    if (!extension.empty()) {
        picture->properties.Set(WIA_IPA_FILENAME_EXTENSION, u"Filename extension",
                                FakeValue::Text(extension));
    }
    picture->data = std::move(bytes);
    children.push_back(std::move(picture));
    return *children.back();
}

FakeWia::FakeWia() : hang_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

FakeWia::~FakeWia() {
    if (current.load() == this) {
        current.store(nullptr);
    }
    CloseHandle(hang_);
}

int FakeWia::activeInterfaceRegistrations() const {
    return static_cast<int>(std::count_if(
        subscriptions.begin(), subscriptions.end(),
        [](const std::shared_ptr<Subscription>& subscription) { return subscription->active; }));
}

HRESULT FakeWia::FireEvent(const GUID& event, const std::u16string& deviceId,
                           const std::u16string& fullItemName) {
    std::vector<std::shared_ptr<Subscription>> listening;
    {
        auto lock = Lock();
        for (const std::shared_ptr<Subscription>& subscription : subscriptions) {
            if (subscription->active && IsEqualGUID(subscription->event, event)) {
                listening.push_back(subscription);
            }
        }
    }
    HRESULT first = S_OK;
    for (const std::shared_ptr<Subscription>& subscription : listening) {
        BSTR description = SysAllocString(L"Fake event");
        BSTR device = SysAllocString(reinterpret_cast<const wchar_t*>(deviceId.c_str()));
        BSTR deviceDescription = SysAllocString(L"Fake Camera");
        BSTR item = SysAllocString(reinterpret_cast<const wchar_t*>(fullItemName.c_str()));
        ULONG eventType = 0;
        const HRESULT hr = subscription->callback->ImageEventCallback(
            &event, description, device, deviceDescription, kFakeCameraType,
            item, &eventType, 0);
        SysFreeString(description);
        SysFreeString(device);
        SysFreeString(deviceDescription);
        SysFreeString(item);
        if (&subscription == &listening.front()) {
            first = hr;
        }
    }
    return first;
}

FakeDevice* FakeWia::FindDevice(const std::u16string& id) {
    for (FakeDevice& device : devices) {
        const FakeProperty* deviceId = device.info.Find(WIA_DIP_DEV_ID);
        if (deviceId != nullptr && deviceId->value.type == VT_BSTR && deviceId->value.text == id) {
            return &device;
        }
    }
    return nullptr;
}

FakeDevice& AddCamera(FakeWia& wia, const std::u16string& id, const std::u16string& name,
                      const std::u16string& pnpId) {
    FakeDevice device;
    device.info.Set(WIA_DIP_DEV_ID, u"Unique Device ID", FakeValue::Text(id))
        .Set(WIA_DIP_VEND_DESC, u"Manufacturer", FakeValue::Text(u"Fake Optics"))
        .Set(WIA_DIP_DEV_DESC, u"Description", FakeValue::Text(name + u" description"))
        .Set(WIA_DIP_DEV_TYPE, u"Type", FakeValue::Int(kFakeCameraType))
        .Set(WIA_DIP_DEV_NAME, u"Name", FakeValue::Text(name))
        .Set(kFakePnpIdProperty, u"PnP ID String", FakeValue::Text(pnpId));
    device.root = std::make_unique<FakeItem>();
    FakeItem& root = *device.root;
    root.type = WiaItemTypeFolder | WiaItemTypeDevice | WiaItemTypeRoot;
    root.properties.Set(WIA_IPA_ITEM_NAME, u"Item Name", FakeValue::Text(u"Root"))
        .Set(WIA_IPA_FULL_ITEM_NAME, u"Full Item Name", FakeValue::Text(u"0000\\Root"))
        .Set(WIA_IPA_ITEM_FLAGS, u"Item Flags", FakeValue::Int(root.type))
        .Set(WIA_IPA_ACCESS_RIGHTS, u"Access Rights", FakeValue::Int(WIA_ITEM_READ))
        .Set(WIA_DIP_DEV_NAME, u"Name", FakeValue::Text(name))
        .Set(WIA_DIP_DEV_DESC, u"Description", FakeValue::Text(name + u" description"))
        .Set(WIA_DIP_VEND_DESC, u"Manufacturer", FakeValue::Text(u"Fake Optics"))
        .Set(WIA_DIP_HW_CONFIG, u"Hardware Configuration", FakeValue::Int(4))
        .Set(WIA_DPA_CONNECT_STATUS, u"Connect Status", FakeValue::Int(1));
    wia.devices.push_back(std::move(device));
    return wia.devices.back();
}

void AddPictures(FakeItem& folder, int count, int firstNumber) {
    for (int i = 0; i < count; ++i) {
        folder.AddPicture(Numbered(u"IMG_", firstNumber + i), WiaImgFmt_JPEG, u"JPG",
                          TextBytes("jpeg"));
    }
}

void AddStandardDevices(FakeWia& wia) {
    FakeDevice& camera =
        AddCamera(wia, kFakeCameraId, u"Fake Camera",
                  u"\\\\?\\usb#vid_04a9&pid_3218#A1B2C3#{6ac27878-a6fa-4155-ba85-f98f491d4f33}");
    FakeItem& dcim = camera.root->AddFolder(u"DCIM");
    FakeItem& pictures = dcim.AddFolder(u"100ABCDE");
    pictures.AddPicture(u"IMG_0001", WiaImgFmt_JPEG, u"JPG", TextBytes("first picture"));
    pictures.AddPicture(u"IMG_0002", WiaImgFmt_JPEG, u"", TextBytes("second picture"));
    pictures.AddPicture(u"IMG_0003", WiaImgFmt_PNG, u"", TextBytes("third picture"));
    FakeItem& locked =
        pictures.AddPicture(u"IMG_0004", WiaImgFmt_JPEG, u"JPG", TextBytes("protected picture"));
    locked.properties.Set(WIA_IPA_ACCESS_RIGHTS, u"Access Rights", FakeValue::Int(WIA_ITEM_READ));
    FakeItem& bitmap =
        pictures.AddPicture(u"SCREEN01", WiaImgFmt_MEMORYBMP, u"", MemoryBitmapBytes());
    bitmap.properties.Set(WIA_IPA_MIN_BUFFER_SIZE, u"Buffer Size", FakeValue::Int(16));
    // A picture straight below the root, as some cameras show their newest.
    camera.root->AddPicture(u"MOV_0001", WiaImgFmt_AVI, u"", TextBytes("movie"));

    FakeDevice scanner;
    scanner.info.Set(WIA_DIP_DEV_ID, u"Unique Device ID", FakeValue::Text(kFakeScannerId))
        .Set(WIA_DIP_DEV_TYPE, u"Type", FakeValue::Int(kFakeScannerType))
        .Set(WIA_DIP_DEV_NAME, u"Name", FakeValue::Text(u"Fake Scanner"));
    wia.devices.push_back(std::move(scanner));

    FakeDevice odd;
    odd.info.Set(WIA_DIP_DEV_ID, u"Unique Device ID", FakeValue::Int(7))
        .Set(WIA_DIP_DEV_TYPE, u"Type", FakeValue::Int(kFakeCameraType))
        .Set(WIA_DIP_DEV_NAME, u"Name", FakeValue::Text(u"Odd Camera"));
    wia.devices.push_back(std::move(odd));

    FakeDevice& second =
        AddCamera(wia, kSecondCameraId, u"Second Camera",
                  u"\\\\?\\usb#vid_04a9&pid_3218#5&2d8ea5f&0&2#{6ac27878-a6fa-4155-ba85-f98f491d4f33}");
    second.root->AddFolder(u"DCIM");
}

void SetCurrentFakeWia(FakeWia* wia) {
    current.store(wia);
}

HRESULT CreateFakeWiaDeviceManager(IWiaDevMgr** manager) {
    if (manager == nullptr) {
        return E_POINTER;
    }
    *manager = nullptr;
    FakeWia* wia = current.load();
    if (wia == nullptr) {
        return REGDB_E_CLASSNOTREG;
    }
    *manager = fake_wia::NewDeviceManager(wia);
    return S_OK;
}

long FakeWiaLiveObjects() {
    return fake_wia::LiveObjects().load();
}
