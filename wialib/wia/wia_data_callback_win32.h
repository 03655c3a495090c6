#pragma once
// The receiver of a transfer's data bands. In mode 1 (and for a bitmap) the
// bands are assembled in memory and, at the end, written to the target file
// (mode 1) or handed to the progress callback (mode 2); in other modes every
// band goes to the progress callback as it comes. Reference-counted; deleted
// at the last release.
#include <atomic>
#include <string>

#include "wialib/bitmap/band_assembly.h"
#include "wialib/wia/wia_context_win32.h"

class CWiaDataCallback final : public IWiaDataCallback {
  public:
    CWiaDataCallback(WiaLibContext* context, WiaProgressCallback callback, void* userData,
                     int mode, const char16_t* target);
    CWiaDataCallback(const CWiaDataCallback&) = delete;
    CWiaDataCallback& operator=(const CWiaDataCallback&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE BandedDataCallback(LONG message, LONG status, LONG percent,
                                                 LONG offset, LONG length, LONG reserved,
                                                 LONG reservedLength, BYTE* data) override;

  private:
    ~CWiaDataCallback();

    bool Assembles() const { return mode_ == 1 || bitmap_; }
    HRESULT Progress(LONG status, LONG percent, const BYTE* data, LONG length, LONG offset);
    HRESULT OnHeader(LONG length, const BYTE* data);
    HRESULT OnData(LONG status, LONG percent, LONG offset, LONG length, const BYTE* data);
    HRESULT StoreBuffer();

    std::atomic<LONG> references_{1};
    bool bitmap_ = false;
    std::uint32_t headerOffset_ = 0;
    BandAssembly assembly_;
    int mode_;
    WiaProgressCallback callback_;
    void* userData_;
    WiaLibContext* context_;
    std::u16string target_;
};
