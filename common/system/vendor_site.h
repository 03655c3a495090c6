#pragma once
// The vendor's web host: the home page link and the version check use it.
inline constexpr char16_t kVendorHost[] = u"www.camfolio.example";
