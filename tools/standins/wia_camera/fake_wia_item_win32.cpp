// Items of the fake tree, their child enumerators and data transfers.
#include <wia.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "tools/standins/wia_camera/fake_wia_objects_win32.h"

namespace fake_wia {

namespace {

std::vector<FakeItem*> LiveChildren(FakeItem* item) {
    std::vector<FakeItem*> children;
    for (const std::unique_ptr<FakeItem>& child : item->children) {
        if (!child->deleted) {
            children.push_back(child.get());
        }
    }
    return children;
}

class ItemEnum final : public Counted<IEnumWiaItem, IID_IEnumWiaItem> {
  public:
    ItemEnum(FakeWia* wia, FakeDevice* device, FakeItem* parent)
        : wia_(wia), device_(device), children_(LiveChildren(parent)) {}

    HRESULT WINAPI Next(ULONG count, IWiaItem** out, ULONG* fetched) override {
        if (out == nullptr) {
            return E_POINTER;
        }
        ULONG given = 0;
        while (given < count && next_ < children_.size()) {
            out[given++] = NewItem(wia_, device_, children_[next_++]);
        }
        if (fetched != nullptr) {
            *fetched = given;
        }
        return given == count ? S_OK : S_FALSE;
    }
    HRESULT WINAPI Skip(ULONG count) override {
        next_ += count;
        return next_ <= children_.size() ? S_OK : S_FALSE;
    }
    HRESULT WINAPI Reset() override {
        next_ = 0;
        return S_OK;
    }
    HRESULT WINAPI Clone(IEnumWiaItem**) override { return E_NOTIMPL; }
    HRESULT WINAPI GetCount(ULONG* count) override {
        if (count == nullptr) {
            return E_POINTER;
        }
        *count = static_cast<ULONG>(children_.size());
        return S_OK;
    }

  private:
    FakeWia* wia_;
    FakeDevice* device_;
    std::vector<FakeItem*> children_;
    std::size_t next_ = 0;
};

class Item final : public Counted<IWiaItem, IID_IWiaItem> {
  public:
    Item(FakeWia* wia, FakeDevice* device, FakeItem* item)
        : wia_(wia), device_(device), item_(item) {}

    HRESULT WINAPI GetItemType(LONG* type) override {
        if (type == nullptr) {
            return E_POINTER;
        }
        *type = item_->type;
        return S_OK;
    }
    HRESULT WINAPI AnalyzeItem(LONG) override { return E_NOTIMPL; }
    HRESULT WINAPI EnumChildItems(IEnumWiaItem** out) override {
        if (out == nullptr) {
            return E_POINTER;
        }
        *out = new ItemEnum(wia_, device_, item_);
        return S_OK;
    }
    HRESULT WINAPI DeleteItem(LONG) override {
        const FakeProperty* rights = item_->properties.Find(WIA_IPA_ACCESS_RIGHTS);
        if (rights != nullptr && (rights->value.integer & WIA_ITEM_CAN_BE_DELETED) == 0) {
            return E_ACCESSDENIED;
        }
        item_->deleted = true;
        return S_OK;
    }
    HRESULT WINAPI CreateChildItem(LONG, BSTR, BSTR, IWiaItem**) override { return E_NOTIMPL; }
    HRESULT WINAPI EnumRegisterEventInfo(LONG, const GUID*, IEnumWIA_DEV_CAPS**) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI FindItemByName(LONG, BSTR, IWiaItem**) override { return E_NOTIMPL; }
    HRESULT WINAPI DeviceDlg(HWND, LONG, LONG, LONG*, IWiaItem***) override { return E_NOTIMPL; }
    HRESULT WINAPI DeviceCommand(LONG, const GUID* command, IWiaItem** out) override {
        if (command == nullptr) {
            return E_INVALIDARG;
        }
        const FakeProperty* id = device_->info.Find(WIA_DIP_DEV_ID);
        {
            auto lock = wia_->Lock();
            wia_->deviceCommands.push_back(
                FakeDeviceCommand{id != nullptr ? id->value.text : std::u16string(), *command});
        }
        // A command that makes a picture hands out the new item, as a camera does.
        if (out != nullptr) {
            *out = IsEqualGUID(*command, WIA_CMD_TAKE_PICTURE) ? NewItem(wia_, device_, item_)
                                                                : nullptr;
        }
        return wia_->deviceCommandResult;
    }
    HRESULT WINAPI GetRootItem(IWiaItem** out) override {
        if (out == nullptr) {
            return E_POINTER;
        }
        *out = NewItem(wia_, device_, device_->root.get());
        return S_OK;
    }
    HRESULT WINAPI EnumDeviceCapabilities(LONG, IEnumWIA_DEV_CAPS**) override { return E_NOTIMPL; }
    HRESULT WINAPI DumpItemData(BSTR*) override { return E_NOTIMPL; }
    HRESULT WINAPI DumpDrvItemData(BSTR*) override { return E_NOTIMPL; }
    HRESULT WINAPI DumpTreeItemData(BSTR*) override { return E_NOTIMPL; }
    HRESULT WINAPI Diagnostic(ULONG, BYTE*) override { return E_NOTIMPL; }

  protected:
    HRESULT QueryOther(REFIID iid, void** out) override {
        if (IsEqualIID(iid, IID_IWiaPropertyStorage)) {
            *out = NewPropertyStorage(&item_->properties);
            return S_OK;
        }
        if (IsEqualIID(iid, IID_IWiaDataTransfer) && (item_->type & WiaItemTypeFile) != 0) {
            *out = NewDataTransfer(wia_, item_);
            return S_OK;
        }
        return E_NOINTERFACE;
    }

  private:
    FakeWia* wia_;
    FakeDevice* device_;
    FakeItem* item_;
};

GUID CurrentFormat(const FakeItem& item) {
    const FakeProperty* format = item.properties.Find(WIA_IPA_FORMAT);
    return format != nullptr && format->value.type == VT_CLSID ? format->value.guid
                                                                : WiaImgFmt_JPEG;
}

class DataTransfer final : public Counted<IWiaDataTransfer, IID_IWiaDataTransfer> {
  public:
    DataTransfer(FakeWia* wia, FakeItem* item) : wia_(wia), item_(item) {}

    HRESULT WINAPI idtGetData(LPSTGMEDIUM medium, IWiaDataCallback* callback) override {
        if (medium == nullptr || medium->tymed != TYMED_FILE) {
            return E_INVALIDARG;
        }
        wchar_t folder[MAX_PATH];
        wchar_t name[MAX_PATH];
        if (GetTempPathW(MAX_PATH, folder) == 0 || GetTempFileNameW(folder, L"wia", 0, name) == 0) {
            return HRESULT_FROM_WIN32(GetLastError());
        }
        HANDLE file = CreateFileW(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return HRESULT_FROM_WIN32(GetLastError());
        }
        DWORD written = 0;
        const BOOL wrote = WriteFile(file, item_->data.data(), static_cast<DWORD>(item_->data.size()),
                                     &written, nullptr);
        CloseHandle(file);
        if (wrote == FALSE) {
            DeleteFileW(name);
            return E_FAIL;
        }
        if (callback != nullptr) {
            const HRESULT status = callback->BandedDataCallback(
                IT_MSG_STATUS, IT_STATUS_TRANSFER_TO_CLIENT, 100, 0, 0, 0, 0, nullptr);
            if (status != S_OK) {
                DeleteFileW(name);
                return status;
            }
        }
        const std::size_t units = wcslen(name) + 1;
        auto* copy = static_cast<wchar_t*>(CoTaskMemAlloc(units * sizeof(wchar_t)));
        if (copy == nullptr) {
            DeleteFileW(name);
            return E_OUTOFMEMORY;
        }
        std::memcpy(copy, name, units * sizeof(wchar_t));
        medium->lpszFileName = copy;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }

    HRESULT WINAPI idtGetBandedData(PWIA_DATA_TRANSFER_INFO info,
                                    IWiaDataCallback* callback) override {
        if (info == nullptr || callback == nullptr || info->ulBufferSize == 0) {
            return E_INVALIDARG;
        }
        const std::vector<std::uint8_t>& data = item_->data;
        WIA_DATA_CALLBACK_HEADER header{};
        header.lSize = sizeof header;
        header.guidFormatID = CurrentFormat(*item_);
        header.lBufferSize = static_cast<LONG>(data.size());
        header.lPageCount = 1;
        HRESULT hr = callback->BandedDataCallback(IT_MSG_DATA_HEADER, IT_STATUS_TRANSFER_FROM_DEVICE,
                                                  0, 0, sizeof header, 0, 0,
                                                  reinterpret_cast<BYTE*>(&header));
        if (hr != S_OK) {
            return hr;
        }
        const std::size_t band =
            std::max<std::size_t>(1, wia_->bandSize != 0 ? wia_->bandSize : info->ulBufferSize / 2);
        std::vector<BYTE> buffer;
        for (std::size_t offset = 0; offset < data.size(); offset += band) {
            const std::size_t length = std::min(band, data.size() - offset);
            buffer.assign(data.begin() + static_cast<std::ptrdiff_t>(offset),
                          data.begin() + static_cast<std::ptrdiff_t>(offset + length));
            const LONG percent = static_cast<LONG>((offset + length) * 100 / data.size());
            hr = callback->BandedDataCallback(IT_MSG_DATA, IT_STATUS_TRANSFER_TO_CLIENT, percent,
                                              static_cast<LONG>(offset),
                                              static_cast<LONG>(length), 0, 0, buffer.data());
            if (hr != S_OK) {
                return hr;
            }
        }
        return callback->BandedDataCallback(IT_MSG_TERMINATION, IT_STATUS_TRANSFER_TO_CLIENT, 100,
                                            0, 0, 0, 0, nullptr);
    }
    HRESULT WINAPI idtQueryGetData(WIA_FORMAT_INFO*) override { return E_NOTIMPL; }
    HRESULT WINAPI idtEnumWIA_FORMAT_INFO(IEnumWIA_FORMAT_INFO**) override { return E_NOTIMPL; }
    HRESULT WINAPI idtGetExtendedTransferInfo(PWIA_EXTENDED_TRANSFER_INFO) override {
        return E_NOTIMPL;
    }

  private:
    FakeWia* wia_;
    FakeItem* item_;
};

}  // namespace

IWiaItem* NewItem(FakeWia* wia, FakeDevice* device, FakeItem* item) {
    return new Item(wia, device, item);
}

IWiaDataTransfer* NewDataTransfer(FakeWia* wia, FakeItem* item) {
    return new DataTransfer(wia, item);
}

}  // namespace fake_wia
