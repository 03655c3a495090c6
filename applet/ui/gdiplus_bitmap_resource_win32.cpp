#include "applet/ui/gdiplus_bitmap_resource_win32.h"

#include <objidl.h>

#include <gdiplus.h>

#include <cstring>

#include "common/dialog/dpi_win32.h"

namespace {

// The stream owns the global memory block and frees it on its last release.
IStream* StreamOnResource(HINSTANCE module, int id, const wchar_t* type) {
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), type);
    if (found == nullptr) {
        return nullptr;
    }
    const DWORD size = SizeofResource(module, found);
    HGLOBAL loaded = LoadResource(module, found);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr || size == 0) {
        return nullptr;
    }
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    if (copy == nullptr) {
        return nullptr;
    }
    void* target = GlobalLock(copy);
    if (target == nullptr) {
        GlobalFree(copy);
        return nullptr;
    }
    std::memcpy(target, bytes, size);
    GlobalUnlock(copy);
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(copy, TRUE, &stream))) {
        GlobalFree(copy);
        return nullptr;
    }
    return stream;
}

}  // namespace

CGdiPlusBitmapResource::CGdiPlusBitmapResource() = default;
CGdiPlusBitmapResource::~CGdiPlusBitmapResource() = default;

bool CGdiPlusBitmapResource::Load(HINSTANCE module, int id, const wchar_t* type) {
    bitmap_.reset();
    IStream* stream = StreamOnResource(module, id, type);
    if (stream == nullptr) {
        return false;
    }
    // The bitmap reads from the stream while it lives, so it decodes into a
    // copy of its own before the stream goes.
    std::unique_ptr<Gdiplus::Bitmap> decoded(Gdiplus::Bitmap::FromStream(stream));
    if (decoded && decoded->GetLastStatus() == Gdiplus::Ok) {
        bitmap_.reset(decoded->Clone(0, 0, static_cast<INT>(decoded->GetWidth()),
                                     static_cast<INT>(decoded->GetHeight()), PixelFormat32bppARGB));
        if (bitmap_ && bitmap_->GetLastStatus() != Gdiplus::Ok) {
            bitmap_.reset();
        }
    }
    decoded.reset();
    stream->Release();
    return bitmap_ != nullptr;
}

void CGdiPlusBitmapResource::Draw(HDC context, int x, int y, UINT dpi) const {
    if (!bitmap_) {
        return;
    }
    Gdiplus::Graphics graphics(context);
    const int width = ScaleToDpi(static_cast<int>(bitmap_->GetWidth()), dpi);
    const int height = ScaleToDpi(static_cast<int>(bitmap_->GetHeight()), dpi);
    if (width != static_cast<int>(bitmap_->GetWidth())) {
        graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    }
    graphics.DrawImage(bitmap_.get(), x, y, width, height);
}
