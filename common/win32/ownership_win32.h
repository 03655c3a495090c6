#pragma once
// Sole owners of Win32 handles and the scopes that must be undone: each
// releases what it holds once, in its destructor, however the scope ends.
#include <objbase.h>
#include <oleauto.h>
#include <propidl.h>
#include <windows.h>

#include <array>
#include <cstddef>
#include <utility>

// A handle and the call that gives it back. Null (and, for kernel handles,
// INVALID_HANDLE_VALUE) means "nothing held".
template <typename Handle, typename Releaser>
class UniqueOwner {
  public:
    UniqueOwner() = default;
    explicit UniqueOwner(Handle handle) : handle_(handle) {}
    UniqueOwner(UniqueOwner&& other) noexcept : handle_(other.Release()) {}
    UniqueOwner& operator=(UniqueOwner&& other) noexcept {
        if (this != &other) {
            Reset(other.Release());
        }
        return *this;
    }
    UniqueOwner(const UniqueOwner&) = delete;
    UniqueOwner& operator=(const UniqueOwner&) = delete;
    ~UniqueOwner() { Reset(Handle{}); }

    bool IsValid() const { return Releaser::IsHeld(handle_); }
    Handle Get() const { return handle_; }
    Handle Release() { return std::exchange(handle_, Handle{}); }
    void Reset(Handle handle) {
        if (IsValid()) {
            Releaser::Free(handle_);
        }
        handle_ = handle;
    }

  private:
    Handle handle_{};
};

namespace ownership {
template <typename Handle>
struct NotNull {
    static bool IsHeld(Handle handle) { return handle != nullptr; }
};
struct CloseKernelHandle {
    static bool IsHeld(HANDLE handle) {
        return handle != nullptr && handle != INVALID_HANDLE_VALUE;
    }
    static void Free(HANDLE handle) { CloseHandle(handle); }
};
struct DestroyIconHandle : NotNull<HICON> {
    static void Free(HICON icon) { DestroyIcon(icon); }
};
struct FreeModule : NotNull<HMODULE> {
    static void Free(HMODULE module) { FreeLibrary(module); }
};
struct DeleteGdiObject : NotNull<HGDIOBJ> {
    static void Free(HGDIOBJ object) { DeleteObject(object); }
};
struct DeleteMemoryDc : NotNull<HDC> {
    static void Free(HDC context) { DeleteDC(context); }
};
template <typename T>
struct FreeTaskMemory : NotNull<T*> {
    static void Free(T* block) { CoTaskMemFree(block); }
};
struct FreeBstr : NotNull<BSTR> {
    static void Free(BSTR text) { SysFreeString(text); }
};
}  // namespace ownership

// A kernel handle: file, mutex, event, thread, process, file mapping.
using UniqueHandle = UniqueOwner<HANDLE, ownership::CloseKernelHandle>;
using UniqueIcon = UniqueOwner<HICON, ownership::DestroyIconHandle>;
// A library from LoadLibrary or LoadLibraryEx (also as a data file).
using UniqueModule = UniqueOwner<HMODULE, ownership::FreeModule>;
// A font, bitmap, brush or pen the caller created.
class UniqueGdiObject : public UniqueOwner<HGDIOBJ, ownership::DeleteGdiObject> {
  public:
    using UniqueOwner::UniqueOwner;
    HFONT Font() const { return static_cast<HFONT>(Get()); }
    HBRUSH Brush() const { return static_cast<HBRUSH>(Get()); }
    HBITMAP Bitmap() const { return static_cast<HBITMAP>(Get()); }
};
// A device context from CreateCompatibleDC.
using UniqueMemoryDc = UniqueOwner<HDC, ownership::DeleteMemoryDc>;
// A block from CoTaskMemAlloc, such as an item id list the shell returned.
template <typename T>
using UniqueTaskMemory = UniqueOwner<T*, ownership::FreeTaskMemory<T>>;
// A string from SysAllocString.
using UniqueBstr = UniqueOwner<BSTR, ownership::FreeBstr>;

// Property values a call fills (ReadMultiple and the like), cleared together.
template <std::size_t Count>
class PropVariants {
  public:
    PropVariants() {
        for (PROPVARIANT& value : values_) {
            PropVariantInit(&value);
        }
    }
    ~PropVariants() { FreePropVariantArray(Count, values_.data()); }
    PropVariants(const PropVariants&) = delete;
    PropVariants& operator=(const PropVariants&) = delete;

    PROPVARIANT* Data() { return values_.data(); }
    PROPVARIANT& operator[](std::size_t index) { return values_[index]; }
    const PROPVARIANT& operator[](std::size_t index) const { return values_[index]; }

  private:
    std::array<PROPVARIANT, Count> values_;
};

// A storage medium a data transfer filled; released (which deletes a
// temporary file it names) once.
class StorageMedium {
  public:
    StorageMedium() = default;
    ~StorageMedium() {
        if (medium_.tymed != TYMED_NULL) {
            ReleaseStgMedium(&medium_);
        }
    }
    StorageMedium(const StorageMedium&) = delete;
    StorageMedium& operator=(const StorageMedium&) = delete;

    STGMEDIUM* Get() { return &medium_; }
    const STGMEDIUM& operator*() const { return medium_; }

  private:
    STGMEDIUM medium_{};
};

// One counted reference to a COM object, released once.
template <typename Interface>
class ComRef {
  public:
    ComRef() = default;
    // Takes over a reference the caller holds.
    explicit ComRef(Interface* object) : object_(object) {}
    ComRef(ComRef&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    ComRef& operator=(ComRef&& other) noexcept {
        if (this != &other) {
            Reset(std::exchange(other.object_, nullptr));
        }
        return *this;
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ~ComRef() { Reset(nullptr); }

    Interface* Get() const { return object_; }
    Interface* operator->() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }
    // For calls that hand out a new reference: what was held is released first.
    Interface** Put() {
        Reset(nullptr);
        return &object_;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }
    // Hands the reference on to a new owner.
    Interface* Detach() { return std::exchange(object_, nullptr); }
    void Reset(Interface* object) {
        if (object_ != nullptr) {
            object_->Release();
        }
        object_ = object;
    }

  private:
    Interface* object_ = nullptr;
};

// A window's device context from GetDC, given back with ReleaseDC.
class WindowDc {
  public:
    explicit WindowDc(HWND window) : window_(window), context_(GetDC(window)) {}
    ~WindowDc() {
        if (context_ != nullptr) {
            ReleaseDC(window_, context_);
        }
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC Get() const { return context_; }

  private:
    HWND window_;
    HDC context_;
};

// An object selected into a device context; the previous one is selected
// back. Selecting nothing (a null object or context) restores nothing.
class SelectedObject {
  public:
    SelectedObject(HDC context, HGDIOBJ object)
        : context_(context),
          previous_(context != nullptr && object != nullptr ? SelectObject(context, object)
                                                            : nullptr) {}
    ~SelectedObject() {
        if (previous_ != nullptr) {
            SelectObject(context_, previous_);
        }
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

  private:
    HDC context_;
    HGDIOBJ previous_;
};
