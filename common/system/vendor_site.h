#pragma once
// The product's name and its vendor's web host, as captions, messages, the
// home page link and the version check use them.
inline constexpr char16_t kProductName[] = u"Camfolio";
inline constexpr char16_t kVendorHost[] = u"www.camfolio.example";
