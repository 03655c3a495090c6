#pragma once
// The receiving side of the builder's hand-back: the text of a WM_COPYDATA
// message, read without trusting its sender. Only the bytes the message
// declares are read, and only a text that ends within them is taken, so that a
// cut or forged message never becomes a format.
#include <cstddef>
#include <cstdint>
#include <string>

// The data kind of a format handed back by the builder.
inline constexpr std::uintptr_t kCopyDataFormatKind = 1;
// Room for the longest description the builder produces and its terminator.
inline constexpr std::size_t kMaxCopyDataBytes = 2 * 10240 + 2;

enum class CopyDataStatus {
    kAccepted,
    kWrongKind,     // dwData is not kCopyDataFormatKind
    kEmpty,         // no bytes, or no data pointer
    kOddSize,       // not a whole number of UTF-16 units
    kTooLarge,      // more than kMaxCopyDataBytes
    kUnterminated,  // no terminator within the bytes
};

struct CopyDataText {
    CopyDataStatus status = CopyDataStatus::kEmpty;
    std::u16string text;  // up to the first terminator; empty unless accepted
};

// kind, data and bytes are the message's dwData, lpData and cbData. data need
// not be aligned.
CopyDataText ReadCopyDataText(std::uintptr_t kind, const void* data, std::size_t bytes);
