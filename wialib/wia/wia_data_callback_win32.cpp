#include "wialib/wia/wia_data_callback_win32.h"

#include <cstdio>
#include <cstring>

#include "common/win32/wide_win32.h"
#include "diag/trace/trace.h"
#include "wialib/bitmap/bitmap_header.h"
#include "wialib/names/guid_name.h"
#include "wialib/names/result_name.h"
#include "wialib/wia/wia_guid_win32.h"
#include "wialib/wia/wia_tags.h"

namespace {

std::uint32_t Address(const void* object) {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(object));
}

bool Stops(LONG result) {
    return result < 0 || result == 1;
}

}  // namespace

CWiaDataCallback::CWiaDataCallback(WiaLibContext* context, WiaProgressCallback callback,
                                   void* userData, int mode, const char16_t* target)
    : mode_(mode),
      callback_(callback),
      userData_(userData),
      context_(context),
      target_(target != nullptr ? target : u"") {
    TracePrint(kDataCallbackCreateTag, u": (0x%08X) S=%d", Address(this),
               static_cast<int>(references_.load()));
}

CWiaDataCallback::~CWiaDataCallback() {
    TraceEnter(kDataCallbackDestroyTag);
    TraceLeave(kDataCallbackDestroyTag);
}

HRESULT CWiaDataCallback::QueryInterface(REFIID iid, void** out) {
    GuidName(kDataCallbackQueryInterfaceTag, ToGuid(iid), kNoGuidNumber);
    HRESULT hr = S_OK;
    if (out == nullptr) {
        hr = E_POINTER;
    } else if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IWiaDataCallback)) {
        *out = static_cast<IWiaDataCallback*>(this);
        AddRef();
    } else {
        *out = nullptr;
        hr = E_NOINTERFACE;
    }
    TraceResult(kDataCallbackQueryInterfaceTag, hr);
    return hr;
}

ULONG CWiaDataCallback::AddRef() {
    const LONG count = ++references_;
    TracePrint(kDataCallbackAddRefTag, u": (0x%08X) A=%d", Address(this), static_cast<int>(count));
    return static_cast<ULONG>(count);
}

ULONG CWiaDataCallback::Release() {
    const LONG count = --references_;
    TracePrint(kDataCallbackReleaseTag, u": (0x%08X) R=%d", Address(this),
               static_cast<int>(count));
    if (count == 0) {
        TracePrint(kDataCallbackReleaseTag, u": (0x%08X) Clear=%d", Address(this), 0);
        delete this;
    }
    return static_cast<ULONG>(count);
}

HRESULT CWiaDataCallback::Progress(LONG status, LONG percent, const BYTE* data, LONG length,
                                   LONG offset) {
    if (callback_ == nullptr) {
        return S_OK;
    }
    const LONG result =
        callback_(status, percent, userData_, data, length, offset, target_.c_str());
    return Stops(result) ? static_cast<HRESULT>(result) : S_OK;
}

HRESULT CWiaDataCallback::OnHeader(LONG length, const BYTE* data) {
    if (data == nullptr || length < static_cast<LONG>(sizeof(WIA_DATA_CALLBACK_HEADER))) {
        return E_INVALIDARG;
    }
    WIA_DATA_CALLBACK_HEADER header{};
    std::memcpy(&header, data, sizeof header);
    const bool memoryBitmap = IsEqualGUID(header.guidFormatID, WiaImgFmt_MEMORYBMP) != FALSE;
    bitmap_ = memoryBitmap || IsEqualGUID(header.guidFormatID, WiaImgFmt_BMP) != FALSE;
    headerOffset_ = memoryBitmap ? static_cast<std::uint32_t>(kBitmapFileHeaderSize) : 0;
    if (Assembles()) {
        const std::uint32_t size = header.lBufferSize > 0
                                       ? static_cast<std::uint32_t>(header.lBufferSize)
                                       : 0;
        if (!assembly_.Begin(bitmap_, headerOffset_, size)) {
            return E_OUTOFMEMORY;
        }
    }
    return S_OK;
}

HRESULT CWiaDataCallback::OnData(LONG status, LONG percent, LONG offset, LONG length,
                                 const BYTE* data) {
    if (!Assembles()) {
        return Progress(status, percent, data, length, offset);
    }
    if (offset < 0 || length < 0 || (length > 0 && data == nullptr)) {
        return E_INVALIDARG;
    }
    // A band past what the assembly may hold fails the transfer instead of writing past it.
    if (!assembly_.AddBand(static_cast<std::uint32_t>(offset),
                           std::span<const std::uint8_t>(data, static_cast<std::size_t>(length)))) {
        return E_OUTOFMEMORY;
    }
    return Progress(status, percent, nullptr, 0, 0);
}

HRESULT CWiaDataCallback::BandedDataCallback(LONG message, LONG status, LONG percent, LONG offset,
                                             LONG length, LONG, LONG, BYTE* data) {
    TracePrint(kDataCallbackBandedTag, u": (0x%08X) V=%d", Address(this),
               static_cast<int>(references_.load()));
    HRESULT hr = S_OK;
    switch (message) {
    case IT_MSG_DATA_HEADER:
        hr = OnHeader(length, data);
        break;
    case IT_MSG_DATA:
        hr = OnData(status, percent, offset, length, data);
        break;
    case IT_MSG_STATUS:
        hr = Progress(status, percent, nullptr, 0, 0);
        break;
    case IT_MSG_TERMINATION:
    case IT_MSG_NEW_PAGE:
        if (Assembles() && assembly_.HasData()) {
            if (bitmap_) {
                TracePrint(kDataCallbackBandedTag, u"BMP");
            }
            assembly_.Finish();
            hr = StoreBuffer();
        }
        break;
    default:
        break;
    }
    TracePrint(kDataCallbackBandedTag, u"(%s) RC=0x%08X (%s)",
               message == IT_MSG_DATA_HEADER ? u"IT_MSG_DATA_HEADER"
               : message == IT_MSG_DATA      ? u"IT_MSG_DATA"
               : message == IT_MSG_STATUS    ? u"IT_MSG_STATUS"
                                             : u"IT_MSG_TERMINATION",
               static_cast<std::uint32_t>(hr), ResultName(static_cast<std::uint32_t>(hr)));
    return hr;
}

HRESULT CWiaDataCallback::StoreBuffer() {
    TraceEnter(kDataCallbackStoreBufferTag);
    HRESULT hr = S_OK;
    const std::span<const std::uint8_t> bytes = assembly_.Bytes();
    if (mode_ == 1 && !target_.empty()) {
        std::FILE* file = _wfopen(AsWide(target_.c_str()), L"wb");
        if (file == nullptr) {
            hr = E_FAIL;
        } else {
            const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
            // A file cut short is a failed transfer, not a saved picture.
            if (std::fclose(file) != 0 || !written) {
                hr = E_FAIL;
            }
        }
    } else if (mode_ == 2 && bitmap_) {
        hr = Progress(IT_MSG_TERMINATION, 100, bytes.data(), static_cast<LONG>(bytes.size()), 0);
    }
    assembly_.Reset();
    TraceResult(kDataCallbackStoreBufferTag, hr);
    return hr;
}
