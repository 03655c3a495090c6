#pragma once
// Fonts derived from the system's user-interface fonts.
#include <windows.h>

struct UiFontStyle {
    bool menuFont = false;  // the menu font, else the message font
    bool underline = false;
    bool bold = false;
    bool enlarge = false;  // x 1.1 (Vista and later) or x 1.2
    bool shrink = false;   // / 1.2, after enlarging
};

// Sole owner of a GDI object.
class UniqueGdiObject {
  public:
    UniqueGdiObject() = default;
    explicit UniqueGdiObject(HGDIOBJ object) : object_(object) {}
    UniqueGdiObject(UniqueGdiObject&& other) noexcept : object_(other.object_) {
        other.object_ = nullptr;
    }
    UniqueGdiObject& operator=(UniqueGdiObject&& other) noexcept {
        if (this != &other) {
            Reset(other.object_);
            other.object_ = nullptr;
        }
        return *this;
    }
    UniqueGdiObject(const UniqueGdiObject&) = delete;
    UniqueGdiObject& operator=(const UniqueGdiObject&) = delete;
    ~UniqueGdiObject() { Reset(nullptr); }

    HGDIOBJ Get() const { return object_; }
    HFONT Font() const { return static_cast<HFONT>(object_); }
    HBRUSH Brush() const { return static_cast<HBRUSH>(object_); }
    HBITMAP Bitmap() const { return static_cast<HBITMAP>(object_); }
    void Reset(HGDIOBJ object) {
        if (object_ != nullptr) {
            DeleteObject(object_);
        }
        object_ = object;
    }

  private:
    HGDIOBJ object_ = nullptr;
};

// The font, or null when the system's metrics cannot be read; the caller owns it.
HFONT CreateUiFont(const UiFontStyle& style);
