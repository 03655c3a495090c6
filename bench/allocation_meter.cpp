#include "bench/allocation_meter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

// Each block starts with its size, so that unsized delete can count it; the
// header keeps the alignment operator new promises.
constexpr std::size_t kHeader = __STDCPP_DEFAULT_NEW_ALIGNMENT__;

std::atomic<std::size_t> g_held{0};
std::atomic<std::size_t> g_peak{0};

void* Take(std::size_t size) noexcept {
    auto* block = static_cast<unsigned char*>(std::malloc(kHeader + size));
    if (block == nullptr) {
        return nullptr;
    }
    *reinterpret_cast<std::size_t*>(block) = size;
    const std::size_t held = g_held.fetch_add(size, std::memory_order_relaxed) + size;
    std::size_t peak = g_peak.load(std::memory_order_relaxed);
    while (held > peak && !g_peak.compare_exchange_weak(peak, held, std::memory_order_relaxed)) {
    }
    return block + kHeader;
}

void* TakeOrThrow(std::size_t size) {
    if (void* p = Take(size)) {
        return p;
    }
    throw std::bad_alloc();
}

void Give(void* p) noexcept {
    if (p == nullptr) {
        return;
    }
    unsigned char* block = static_cast<unsigned char*>(p) - kHeader;
    g_held.fetch_sub(*reinterpret_cast<std::size_t*>(block), std::memory_order_relaxed);
    std::free(block);
}

}  // namespace

namespace allocation_meter {

std::size_t Held() {
    return g_held.load(std::memory_order_relaxed);
}

std::size_t Peak() {
    return g_peak.load(std::memory_order_relaxed);
}

void ResetPeak() {
    g_peak.store(Held(), std::memory_order_relaxed);
}

}  // namespace allocation_meter

// The over-aligned forms are left to the library: they allocate and free
// apart from these.
void* operator new(std::size_t size) {
    return TakeOrThrow(size);
}
void* operator new[](std::size_t size) {
    return TakeOrThrow(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return Take(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return Take(size);
}
void operator delete(void* p) noexcept {
    Give(p);
}
void operator delete[](void* p) noexcept {
    Give(p);
}
void operator delete(void* p, std::size_t) noexcept {
    Give(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    Give(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    Give(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    Give(p);
}
