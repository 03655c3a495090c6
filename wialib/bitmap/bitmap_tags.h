#pragma once
// Trace tags of the bitmap header helpers (family WB of the camera library).
inline constexpr char16_t kGetBitmapHeaderSizeTag[] = u"<WIALIB>WB1@GetBitmapHeaderSize: ";
inline constexpr char16_t kGetBitmapLineWidthInBytesTag[] =
    u"<WIALIB>WB2@GetBitmapLineWidthInBytes: ";
inline constexpr char16_t kGetBitmapDimensionsTag[] = u"<WIALIB>WB3@GetBitmapDimensions: ";
inline constexpr char16_t kGetBitmapSizeTag[] = u"<WIALIB>WB4@GetBitmapSize: ";
inline constexpr char16_t kGetBitmapOffsetBitsTag[] = u"<WIALIB>WB5@GetBitmapOffsetBits: ";
inline constexpr char16_t kFixBitmapHeightTag[] = u"<WIALIB>WB6@FixBitmapHeight: ";
inline constexpr char16_t kFillBitmapFileHeaderTag[] = u"<WIALIB>WB7@FillBitmapFileHeader: ";
