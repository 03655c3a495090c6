#include "common/windows_version/windows_version.h"

#include <gtest/gtest.h>

#include "tests/support/u16.h"

namespace {

struct Row {
    std::uint32_t platform, major, minor;
    bool extended;
    std::uint32_t productType;
    bool verifiedWorkstation, serverR2;
    std::uint32_t realMajor, realMinor;  // 0, 0: run-time library missing
    std::uint32_t expected;
    const char* name;
};

WindowsVersionAnswers AnswersOf(const Row& r) {
    WindowsVersionAnswers a;
    a.platformId = r.platform;
    a.major = r.major;
    a.minor = r.minor;
    a.extendedQuery = r.extended;
    a.productType = r.productType;
    a.verifiedWorkstation = r.verifiedWorkstation;
    a.serverR2 = r.serverR2;
    a.haveRealVersion = r.realMajor != 0;
    a.realMajor = r.realMajor;
    a.realMinor = r.realMinor;
    a.haveNativeArchitecture = true;
    a.nativeArchitecture = 0;  // x86
    return a;
}

TEST(WindowsVersion, EveryRowOfTheTable) {
    using namespace winver;
    const Row rows[] = {
        {1, 4, 0, true, 0, false, false, 0, 0, k95, "95"},
        {1, 4, 10, true, 0, false, false, 0, 0, k98, "98"},
        {1, 4, 90, true, 0, false, false, 0, 0, kMe, "Me"},
        {1, 4, 50, true, 0, false, false, 0, 0, k9xFamily, "?"},
        {2, 4, 0, true, 1, false, false, 0, 0, kNt4, "NT"},
        {2, 3, 51, true, 1, false, false, 0, 0, kNt4, "NT"},
        {2, 5, 0, true, 1, false, false, 0, 0, k2000, "2000"},
        {2, 5, 1, true, 1, false, false, 0, 0, kXP, "XP"},
        {2, 5, 2, true, 1, false, false, 0, 0, kXP, "XP"},
        {2, 5, 2, true, 3, false, false, 0, 0, kServer2003, "2003"},
        {2, 5, 2, true, 3, false, true, 0, 0, kServer2003R2, "2003R2"},
        {2, 6, 0, true, 1, false, false, 6, 0, kVista, "Vista"},
        {2, 6, 0, true, 3, false, false, 6, 0, kServer2008, "2008"},
        {2, 6, 1, true, 1, false, false, 6, 1, k7, "7"},
        {2, 6, 1, true, 2, false, false, 6, 1, kServer2008R2, "2008R2"},
        {2, 6, 2, true, 1, true, false, 6, 2, k8, "8"},
        {2, 6, 2, true, 3, false, false, 6, 2, kServer2012, "2012"},
        {2, 6, 3, true, 1, false, false, 6, 3, k81, "8.1"},
        {2, 6, 3, true, 3, false, false, 6, 3, kServer2012R2, "2012R2"},
        // Without a compatibility manifest later systems report 6.2.
        {2, 6, 2, true, 1, true, false, 6, 3, k81, "8.1"},
        {2, 6, 2, true, 3, false, false, 6, 3, kServer2012R2, "2012R2"},
        {2, 6, 2, true, 1, true, false, 10, 0, k10, "10.0"},
        {2, 6, 2, true, 3, false, false, 10, 0, kServer2016, "2016"},
        {2, 10, 0, true, 1, false, false, 10, 0, k10, "10.0"},
        {2, 10, 0, true, 3, false, false, 10, 0, kServer2016, "2016"},
        // The run-time library missing: 6.2 stays 8.
        {2, 6, 2, true, 1, true, false, 0, 0, k8, "8"},
        // Only the basic query answered: server variants.
        {2, 6, 1, false, 1, false, false, 6, 1, kServer2008R2, "2008R2"},
        {2, 6, 2, false, 1, true, false, 10, 0, kServer2016, "2016"},
        // Versions the table does not know keep the family bit only.
        {2, 6, 4, true, 1, false, false, 6, 4, kNtFamily, "?"},
        {2, 11, 0, true, 1, false, false, 11, 0, kNtFamily, "?"},
    };
    for (const Row& r : rows) {
        const std::uint32_t flags = WindowsVersionFlagsFrom(AnswersOf(r));
        EXPECT_EQ(flags, r.expected | k32Bit) << r.major << "." << r.minor << " " << r.name;
        EXPECT_EQ(Narrow(WindowsVersionName(flags)), r.name) << r.major << "." << r.minor;
    }
}

TEST(WindowsVersion, WidthAndForeignPlatforms) {
    WindowsVersionAnswers a;
    a.platformId = 2;
    a.major = 10;
    a.extendedQuery = true;
    a.productType = 1;
    a.haveNativeArchitecture = true;
    for (const std::uint32_t arch : {9u, 6u}) {
        a.nativeArchitecture = arch;
        EXPECT_EQ(WindowsVersionFlagsFrom(a), winver::k10 | winver::k64Bit);
    }
    a.haveNativeArchitecture = false;
    EXPECT_EQ(WindowsVersionFlagsFrom(a), winver::k10 | winver::k32Bit);
    a.platformId = 3;
    EXPECT_EQ(WindowsVersionFlagsFrom(a), 0u);
    EXPECT_EQ(Narrow(WindowsVersionName(0)), "?");
}

TEST(WindowsVersion, RealVersionComparesInOrder) {
    WindowsVersionAnswers a;
    a.haveRealVersion = true;
    a.realMajor = 6;
    a.realMinor = 3;
    a.realServicePackMajor = 1;
    EXPECT_TRUE(RealVersionAtLeast(a, 6, 3, 1));
    EXPECT_TRUE(RealVersionAtLeast(a, 6, 2, 5));
    EXPECT_FALSE(RealVersionAtLeast(a, 6, 3, 2));
    EXPECT_FALSE(RealVersionAtLeast(a, 10, 0, 0));
    a.haveRealVersion = false;
    EXPECT_FALSE(RealVersionAtLeast(a, 1, 0, 0));
}

}  // namespace
