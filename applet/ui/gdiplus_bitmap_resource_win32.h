#pragma once
// A picture resource (e.g. type "PNG") decoded by GDI+; empty when the
// resource is missing or cannot be decoded.
#include <windows.h>

#include <memory>

namespace Gdiplus {
class Bitmap;
}

class CGdiPlusBitmapResource {
  public:
    CGdiPlusBitmapResource();
    ~CGdiPlusBitmapResource();
    CGdiPlusBitmapResource(const CGdiPlusBitmapResource&) = delete;
    CGdiPlusBitmapResource& operator=(const CGdiPlusBitmapResource&) = delete;

    bool Load(HINSTANCE module, int id, const wchar_t* type);
    bool IsLoaded() const { return bitmap_ != nullptr; }
    // With its top-left corner at (x, y): at its own size at 96 DPI, scaled
    // to dpi.
    void Draw(HDC context, int x, int y, UINT dpi) const;

  private:
    std::unique_ptr<Gdiplus::Bitmap> bitmap_;
};
