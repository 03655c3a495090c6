#include "common/format/copy_data_text.h"

#include <cstring>
#include <utility>

CopyDataText ReadCopyDataText(std::uintptr_t kind, const void* data, std::size_t bytes) {
    CopyDataText result;
    if (kind != kCopyDataFormatKind) {
        result.status = CopyDataStatus::kWrongKind;
    } else if (data == nullptr || bytes == 0) {
        result.status = CopyDataStatus::kEmpty;
    } else if (bytes % sizeof(char16_t) != 0) {
        result.status = CopyDataStatus::kOddSize;
    } else if (bytes > kMaxCopyDataBytes) {
        result.status = CopyDataStatus::kTooLarge;
    } else {
        const auto* bytesIn = static_cast<const unsigned char*>(data);
        const std::size_t units = bytes / sizeof(char16_t);
        std::u16string text;
        for (std::size_t i = 0; i < units; ++i) {
            char16_t unit = 0;
            std::memcpy(&unit, bytesIn + i * sizeof(char16_t), sizeof unit);
            if (unit == u'\0') {
                result.status = CopyDataStatus::kAccepted;
                result.text = std::move(text);
                return result;
            }
            text.push_back(unit);
        }
        result.status = CopyDataStatus::kUnterminated;
    }
    return result;
}
