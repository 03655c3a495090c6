#pragma once
// Sole owner of an icon handle.
#include <windows.h>

class UniqueIcon {
  public:
    UniqueIcon() = default;
    explicit UniqueIcon(HICON icon) : icon_(icon) {}
    ~UniqueIcon() {
        if (icon_ != nullptr) {
            DestroyIcon(icon_);
        }
    }
    UniqueIcon(const UniqueIcon&) = delete;
    UniqueIcon& operator=(const UniqueIcon&) = delete;

    HICON Get() const { return icon_; }

  private:
    HICON icon_ = nullptr;
};
