#pragma once
// The portable-device identifier Windows Vista and later keep for a WIA
// device in its class key.
#include <cstddef>

// The registry's WpdDevicePnPID of the device (cut to capacity); false, with
// the device id itself as the result, when the value is missing, not text,
// or the system is older than Vista; false, with an empty result, when the
// device's key cannot be opened.
bool GetWpdDevicePnPID(char16_t* out, std::size_t capacity, const char16_t* deviceId);
