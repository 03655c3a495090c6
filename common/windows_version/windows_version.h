#pragma once
// The Windows version as one set of flags, computed once per process. The
// mapping from the system's answers to flags is a pure function
// (WindowsVersionFlagsFrom), so every row can be tested anywhere; the
// Windows layer only gathers the answers.
#include <cstddef>
#include <cstdint>

namespace winver {

inline constexpr std::uint32_t k9xFamily = 0x1000000;
inline constexpr std::uint32_t kNtFamily = 0x2000000;
inline constexpr std::uint32_t k95 = 0x1000001;
inline constexpr std::uint32_t k98 = 0x1000002;
inline constexpr std::uint32_t kMe = 0x1000004;
inline constexpr std::uint32_t kNt4 = 0x2000008;
inline constexpr std::uint32_t k2000 = 0x2000010;
inline constexpr std::uint32_t kXP = 0x2000020;
inline constexpr std::uint32_t kServer2003 = 0x2000040;
inline constexpr std::uint32_t kServer2003R2 = 0x2000080;
inline constexpr std::uint32_t kVista = 0x2000100;
inline constexpr std::uint32_t kServer2008 = 0x2000200;
inline constexpr std::uint32_t k7 = 0x2000400;
inline constexpr std::uint32_t kServer2008R2 = 0x2000800;
inline constexpr std::uint32_t k8 = 0x2001000;
inline constexpr std::uint32_t kServer2012 = 0x2002000;
inline constexpr std::uint32_t k81 = 0x2004000;
inline constexpr std::uint32_t kServer2012R2 = 0x2008000;
inline constexpr std::uint32_t k10 = 0x2010000;
inline constexpr std::uint32_t kServer2016 = 0x2020000;
inline constexpr std::uint32_t k64Bit = 0x20000000;
inline constexpr std::uint32_t k32Bit = 0x10000000;

// XP ... Server 2016: the systems the product supports (NT family only).
inline constexpr std::uint32_t kSupportedMask = 0x3FFE0;
// Vista and later: the second card slot of a camera can be mapped.
inline constexpr std::uint32_t kMultiCardMask = 0x3FF00;
inline constexpr std::uint32_t kXPBit = 0x20;

}  // namespace winver

// Computes (once) or returns the flags; with a buffer also the version name
// ("XP", "7", "10.0", "?" ...).
std::uint32_t GetWindowsVersionFlags(char16_t* name, std::size_t capacity);

// Vista and later.
inline bool IsMultiCardSystem() {
    return (GetWindowsVersionFlags(nullptr, 0) & winver::kMultiCardMask) != 0;
}

// What the system says about itself, gathered once by the Windows layer.
struct WindowsVersionAnswers {
    // Platform id: 1 = Windows 9x, 2 = NT; anything else is not Windows.
    std::uint32_t platformId = 0;
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    // From the extended query; false when only the basic one answered.
    bool extendedQuery = false;
    std::uint32_t productType = 0;  // 1 = workstation
    // For 6.2 the product type is verified separately.
    bool verifiedWorkstation = false;
    bool serverR2 = false;  // the SM_SERVERR2 system metric
    // The true version from the run-time library; 6.2 is all that the
    // ordinary query reports on later systems.
    bool haveRealVersion = false;
    std::uint32_t realMajor = 0;
    std::uint32_t realMinor = 0;
    std::uint32_t realServicePackMajor = 0;
    // Native processor architecture; absent when the system cannot say.
    bool haveNativeArchitecture = false;
    std::uint32_t nativeArchitecture = 0;  // 9 = AMD64, 6 = IA-64
};

// True when the real version is at least (major, minor, service pack major).
bool RealVersionAtLeast(const WindowsVersionAnswers& answers, std::uint32_t major,
                        std::uint32_t minor, std::uint32_t servicePackMajor);
std::uint32_t WindowsVersionFlagsFrom(const WindowsVersionAnswers& answers);
// "?", "95" ... "2016": the name of the lowest version bit.
const char16_t* WindowsVersionName(std::uint32_t flags);

// The running system's real version is at least the one given.
bool IsRealVersionAtLeast(std::uint32_t major, std::uint32_t minor, std::uint32_t servicePackMajor);
