#include "common/windows_version/windows_version.h"

#include <iterator>
#include <tuple>

namespace {

constexpr std::uint32_t kPlatform9x = 1;
constexpr std::uint32_t kPlatformNt = 2;
constexpr std::uint32_t kArchitectureAmd64 = 9;
constexpr std::uint32_t kArchitectureIa64 = 6;

std::uint32_t Pick(bool workstation, std::uint32_t ifWorkstation, std::uint32_t ifServer) {
    return workstation ? ifWorkstation : ifServer;
}

std::uint32_t NtVersion(const WindowsVersionAnswers& a) {
    const bool workstation = a.extendedQuery && a.productType == 1;
    if (a.major <= 4) {
        return winver::kNt4;
    }
    if (a.major == 5 && a.minor == 0) {
        return winver::k2000;
    }
    if (a.major == 5 && a.minor == 1) {
        return winver::kXP;
    }
    if (a.major == 5 && a.minor == 2) {
        return workstation ? winver::kXP
                           : (a.serverR2 ? winver::kServer2003R2 : winver::kServer2003);
    }
    if (a.major == 6 && a.minor == 0) {
        return Pick(workstation, winver::kVista, winver::kServer2008);
    }
    if (a.major == 6 && a.minor == 1) {
        return Pick(workstation, winver::k7, winver::kServer2008R2);
    }
    if (a.major == 6 && a.minor == 2) {
        const bool verified = a.extendedQuery && a.verifiedWorkstation;
        if (RealVersionAtLeast(a, 10, 0, 0)) {
            return Pick(verified, winver::k10, winver::kServer2016);
        }
        if (RealVersionAtLeast(a, 6, 3, 0)) {
            return Pick(verified, winver::k81, winver::kServer2012R2);
        }
        return Pick(verified, winver::k8, winver::kServer2012);
    }
    if (a.major == 6 && a.minor == 3) {
        return Pick(workstation, winver::k81, winver::kServer2012R2);
    }
    if (a.major == 10 && a.minor == 0) {
        return Pick(workstation, winver::k10, winver::kServer2016);
    }
    return winver::kNtFamily;
}

std::uint32_t Version9x(const WindowsVersionAnswers& a) {
    if (a.major == 4 && a.minor == 0) {
        return winver::k95;
    }
    if (a.major == 4 && a.minor == 10) {
        return winver::k98;
    }
    if (a.major == 4 && a.minor == 90) {
        return winver::kMe;
    }
    return winver::k9xFamily;
}

}  // namespace

bool RealVersionAtLeast(const WindowsVersionAnswers& answers, std::uint32_t major,
                        std::uint32_t minor, std::uint32_t servicePackMajor) {
    return answers.haveRealVersion &&
           std::tie(answers.realMajor, answers.realMinor, answers.realServicePackMajor) >=
               std::tie(major, minor, servicePackMajor);
}

std::uint32_t WindowsVersionFlagsFrom(const WindowsVersionAnswers& answers) {
    std::uint32_t flags = 0;
    if (answers.platformId == kPlatform9x) {
        flags = Version9x(answers);
    } else if (answers.platformId == kPlatformNt) {
        flags = NtVersion(answers);
    } else {
        return 0;
    }
    const bool wide =
        answers.haveNativeArchitecture && (answers.nativeArchitecture == kArchitectureAmd64 ||
                                           answers.nativeArchitecture == kArchitectureIa64);
    return flags | (wide ? winver::k64Bit : winver::k32Bit);
}

const char16_t* WindowsVersionName(std::uint32_t flags) {
    static constexpr const char16_t* kNames[] = {
        u"?",    u"95", u"98",     u"Me", u"NT",   u"2000", u"XP",     u"2003", u"2003R2", u"Vista",
        u"2008", u"7",  u"2008R2", u"8",  u"2012", u"8.1",  u"2012R2", u"10.0", u"2016"};
    const std::uint32_t versionBits = flags & 0xFFFFFF;
    if (versionBits == 0) {
        return kNames[0];
    }
    std::size_t position = 0;
    while ((versionBits & (1u << position)) == 0) {
        ++position;
    }
    return position + 1 < std::size(kNames) ? kNames[position + 1] : kNames[0];
}
