#pragma once
// What the format engine is told about one picture.
#include <cstdint>
#include <optional>

struct SourceFileInfo {
    // The picture's file name on the camera; a directory part is ignored.
    const char16_t* sourceName = nullptr;
    // Local time in 100-nanosecond intervals since 1601-01-01 (FILETIME scale).
    std::optional<std::uint64_t> captureTime;
    std::optional<std::int32_t> counter;
    // Optional texts; null means absent.
    const char16_t* cameraName = nullptr;
    const char16_t* imageWidth = nullptr;
    const char16_t* imageHeight = nullptr;
    // The picture's folder on the camera, normally "\...\"; may be empty.
    const char16_t* sourceDirectory = u"";
};

// The fixed picture that every example and the builder's final check use, so
// that the user always sees the same original name.
inline SourceFileInfo SampleSourceFile(std::uint64_t captureTime) {
    return SourceFileInfo{u"DSC_0057.JPG", captureTime,     1, u"D90", u"4288",
                          u"2848",         u"\\CameraDir\\"};
}
