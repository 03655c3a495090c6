// The camera profiles against Wine's real registry.
#include "config/profiles_registry.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "config/mapper_contract.h"
#include "config/reg_key_win32.h"
#include "tests/support/registry_sandbox_win32.h"

namespace {

const ProfileSystem kSeven = ProfileSystemFor(winver::k7 | winver::k64Bit);
const ProfileSystem kXP = ProfileSystemFor(winver::kXP | winver::k32Bit);

RegKey Camera(RegistrySandbox& sandbox, const std::u16string& path) {
    return sandbox.Settings((u"Profiles\\" + path).c_str());
}

void WriteDword(const RegKey& key, const char16_t* name, std::uint32_t value) {
    ASSERT_TRUE(key.WriteDword(name, value));
}

std::vector<std::pair<std::u16string, std::u16string>> Names(const ProfileList& list) {
    std::vector<std::pair<std::u16string, std::u16string>> names;
    for (const auto& record : list) {
        names.emplace_back(record->name, record->subName);
    }
    return names;
}

bool ProfileKeyExists(const std::u16string& path) {
    return RegKey::OpenForRead(HKEY_CURRENT_USER,
                               (std::u16string(contract::kProfilesKey) + u"\\" + path).c_str())
        .IsOpen();
}

TEST(ProfilesRegistry, TheDefaultProfileAloneIsOneRecord) {
    {
        RegistrySandbox sandbox;
        ProfileList list;
        EXPECT_FALSE(LoadProfiles(list, nullptr, nullptr, kSeven));
        ASSERT_EQ(list.size(), 1u);
        EXPECT_TRUE(list[0]->isDefault);
        EXPECT_EQ(list[0]->format, contract::kDefaultFormat);
    }
    RegistrySandbox sandbox;
    const RegKey profiles = sandbox.Settings(u"Profiles");
    profiles.WriteString(contract::kDriveLetter, u"F");
    profiles.WriteString(contract::kAlias, u"ignored");
    WriteDword(profiles, contract::kAutoMap, 1);
    ProfileList list;
    EXPECT_TRUE(LoadProfiles(list, nullptr, nullptr, kSeven));
    ASSERT_EQ(list.size(), 1u);
    const ProfileRecord& only = *list[0];
    EXPECT_TRUE(only.isDefault);
    EXPECT_EQ(only.name, u"");
    EXPECT_EQ(only.alias, std::nullopt);
    EXPECT_EQ(only.format, contract::kDefaultFormat);
    EXPECT_EQ(only.driveLetter, u'F');
    EXPECT_TRUE(only.autoMap);
}

TEST(ProfilesRegistry, ReadsACameraProfileAsTheMapperStoresIt) {
    RegistrySandbox sandbox;
    const RegKey camera = Camera(sandbox, u"NIKON D90");
    camera.WriteString(contract::kAlias, u"  Holiday camera 2021  ");
    WriteDword(camera, contract::kIfDriveLetterUnavailable, 0x00010002);
    camera.WriteString(contract::kDriveLetter, u"gx");
    camera.WriteString(contract::kFormatString, u"");
    WriteDword(camera, contract::kMultiCardSupport, 0x00010001);
    camera.WriteString(contract::kDriveLetter2, u"H");
    // Of another type than the mapper writes: ignored.
    camera.WriteString(contract::kAutoMap, u"1");

    const std::pair<const char*, ProfileSystem> systems[] = {{"Vista and later", kSeven},
                                                             {"XP", kXP}};
    for (const auto& [what, system] : systems) {
        ProfileList list;
        EXPECT_TRUE(LoadProfiles(list, nullptr, nullptr, system)) << what;
        ASSERT_EQ(list.size(), 2u) << what;
        const ProfileRecord& record = *list[1];
        EXPECT_FALSE(record.isDefault) << what;
        EXPECT_EQ(record.name, u"NIKON D90") << what;
        EXPECT_EQ(record.subName, u"") << what;
        EXPECT_EQ(record.alias, u"Holiday cam") << what;
        EXPECT_EQ(record.ifLetterUnavailable, 2) << what;
        EXPECT_EQ(record.driveLetter, u'g') << what;
        EXPECT_EQ(record.format, std::nullopt) << what;
        EXPECT_FALSE(record.autoMap) << what;
        EXPECT_EQ(record.multiCard, system.multiCard) << what;
        EXPECT_EQ(record.driveLetter2, system.multiCard ? u'H' : u'\0') << what;
    }
}

TEST(ProfilesRegistry, AliasesAreTrimmedAndCutWhole) {
    struct Case {
        const char16_t* stored;
        const char16_t* expected;
    };
    const Case cases[] = {
        {u"\t Cam \t", u"Cam"},
        {u"   ", u""},
        {u"Holiday camera", u"Holiday cam"},
        // A pair cut in half would be written back as half a character.
        {u"0123456789\U0001F4F7x", u"0123456789"},
    };
    for (const Case& c : cases) {
        RegistrySandbox sandbox;
        Camera(sandbox, u"cam").WriteString(contract::kAlias, c.stored);
        ProfileList list;
        LoadProfiles(list, nullptr, nullptr, kSeven);
        ASSERT_EQ(list.size(), 2u);
        EXPECT_EQ(list[1]->alias, c.expected);
    }
}

TEST(ProfilesRegistry, CameraKeysWithSubkeysListTheirSubkeysExceptOnXP) {
    RegistrySandbox sandbox;
    Camera(sandbox, u"A-cam").WriteString(contract::kDriveLetter, u"K");
    Camera(sandbox, u"B-cam").WriteString(contract::kDriveLetter, u"L");
    Camera(sandbox, u"B-cam\\SER1").WriteString(contract::kDriveLetter, u"M");
    Camera(sandbox, u"B-cam\\SER2\\third").WriteString(contract::kDriveLetter, u"N");
    Camera(sandbox, u"C-cam");

    ProfileList list;
    EXPECT_TRUE(LoadProfiles(list, nullptr, nullptr, kSeven));
    using Pairs = std::vector<std::pair<std::u16string, std::u16string>>;
    EXPECT_EQ(Names(list), (Pairs{{u"", u""},
                                  {u"A-cam", u""},
                                  {u"B-cam", u"SER1"},
                                  {u"B-cam", u"SER2"},
                                  {u"C-cam", u""}}));
    EXPECT_EQ(list[2]->driveLetter, u'M');
    EXPECT_EQ(list[3]->driveLetter, u'\0');

    ProfileList xp;
    EXPECT_TRUE(LoadProfiles(xp, nullptr, nullptr, kXP));
    EXPECT_EQ(Names(xp), (Pairs{{u"", u""}, {u"A-cam", u""}, {u"B-cam", u""}, {u"C-cam", u""}}));
    EXPECT_EQ(xp[2]->driveLetter, u'L');
}

TEST(ProfilesRegistry, SavingWritesEachRecordIntoItsExistingKey) {
    RegistrySandbox sandbox;
    const RegKey defaults = sandbox.Settings(u"Profiles");
    const RegKey camera = Camera(sandbox, u"cam");
    camera.WriteString(contract::kFormatString, u"<Y4><Fo>");
    camera.WriteString(contract::kAlias, u"Old");
    camera.WriteString(contract::kDriveLetter2, u"T");
    WriteDword(camera, contract::kMultiCardSupport, 1);
    const RegKey second = Camera(sandbox, u"multi\\SER1");
    second.WriteString(contract::kAlias, u"Kept");

    ProfileList list;
    LoadProfiles(list, nullptr, nullptr, kSeven);
    ASSERT_EQ(list.size(), 3u);
    ProfileRecord& cam = *list[1];
    cam.format.reset();
    cam.alias = u"";
    cam.driveLetter = u'S';
    cam.driveLetter2 = 0;
    cam.multiCard = false;
    cam.autoMap = true;
    cam.ifLetterUnavailable = 1;
    ProfileRecord& serial = *list[2];
    serial.alias.reset();
    serial.multiCard = true;
    serial.driveLetter2 = u'U';
    // Neither a record marked deleted nor one whose key has gone is written.
    auto gone = std::make_unique<ProfileRecord>();
    gone->name = u"gone";
    list.push_back(std::move(gone));
    auto marked = std::make_unique<ProfileRecord>(cam);
    marked->deleted = true;
    marked->driveLetter = u'Z';
    list.push_back(std::move(marked));

    ProfileList deleted;
    EXPECT_TRUE(SaveProfiles(list, deleted, kSeven));

    EXPECT_EQ(defaults.ReadString(contract::kFormatString, 100), contract::kDefaultFormat);
    EXPECT_EQ(defaults.ReadString(contract::kDriveLetter, 10), u"");
    EXPECT_FALSE(defaults.HasValue(contract::kAlias));
    EXPECT_EQ(camera.ReadString(contract::kFormatString, 100), u"<Y4><Fo>");
    EXPECT_FALSE(camera.HasValue(contract::kAlias));
    EXPECT_EQ(camera.ReadString(contract::kDriveLetter, 10), u"S");
    EXPECT_EQ(camera.ReadString(contract::kDriveLetter2, 10), u"T");
    EXPECT_FALSE(camera.HasValue(contract::kMultiCardSupport));
    EXPECT_EQ(camera.ReadDword(contract::kAutoMap), 1u);
    EXPECT_EQ(camera.ReadDword(contract::kIfDriveLetterUnavailable), 1u);
    EXPECT_EQ(second.ReadString(contract::kAlias, 10), u"Kept");
    EXPECT_EQ(second.ReadDword(contract::kMultiCardSupport), 1u);
    EXPECT_EQ(second.ReadString(contract::kDriveLetter2, 10), u"U");
    EXPECT_FALSE(ProfileKeyExists(u"gone"));
}

TEST(ProfilesRegistry, OnXPTheSecondCardValuesAreLeftAlone) {
    RegistrySandbox sandbox;
    const RegKey camera = Camera(sandbox, u"cam");
    WriteDword(camera, contract::kMultiCardSupport, 1);
    camera.WriteString(contract::kDriveLetter2, u"T");
    ProfileList list;
    LoadProfiles(list, nullptr, nullptr, kXP);
    ProfileList deleted;
    EXPECT_TRUE(SaveProfiles(list, deleted, kXP));
    EXPECT_EQ(camera.ReadDword(contract::kMultiCardSupport), 1u);
    EXPECT_EQ(camera.ReadString(contract::kDriveLetter2, 10), u"T");
}

TEST(ProfilesRegistry, AFormatTooLongToTakeIsNeitherReadNorWrittenBack) {
    RegistrySandbox sandbox;
    const std::u16string longFormat(contract::kFormatStringUnits + 5, u'x');
    const RegKey camera = Camera(sandbox, u"cam");
    camera.WriteString(contract::kFormatString, longFormat.c_str());
    ProfileList list;
    LoadProfiles(list, nullptr, nullptr, kSeven);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[1]->format, std::nullopt);
    ProfileList deleted;
    SaveProfiles(list, deleted, kSeven);
    EXPECT_EQ(camera.ReadString(contract::kFormatString, 4096), longFormat);
}

TEST(ProfilesRegistry, DeletingProfilesRemovesTheirKeys) {
    struct Case {
        const char* what;
        const char16_t* name;
        const char16_t* subName;
        std::vector<const char16_t*> gone;
        std::vector<const char16_t*> kept;
    };
    const Case cases[] = {
        {"the only second-level profile", u"solo", u"SER1", {u"solo"}, {u"pair\\SER1"}},
        {"one of two second-level profiles", u"pair", u"SER1", {u"pair\\SER1"}, {u"pair\\SER2"}},
        {"a camera key", u"plain", u"", {u"plain"}, {u"solo\\SER1"}},
        {"a camera key that still has subkeys", u"pair", u"", {}, {u"pair\\SER1"}},
    };
    for (const Case& c : cases) {
        RegistrySandbox sandbox;
        Camera(sandbox, u"solo\\SER1");
        Camera(sandbox, u"pair\\SER1");
        Camera(sandbox, u"pair\\SER2");
        Camera(sandbox, u"plain");
        ProfileList deleted;
        auto record = std::make_unique<ProfileRecord>();
        record->name = c.name;
        record->subName = c.subName;
        deleted.push_back(std::move(record));
        ProfileList list;
        EXPECT_TRUE(SaveProfiles(list, deleted, kSeven)) << c.what;
        EXPECT_TRUE(deleted.empty()) << c.what;
        for (const char16_t* path : c.gone) {
            EXPECT_FALSE(ProfileKeyExists(path)) << c.what;
        }
        for (const char16_t* path : c.kept) {
            EXPECT_TRUE(ProfileKeyExists(path)) << c.what;
        }
    }
}

TEST(ProfilesRegistry, WithoutAProfilesKeyNothingIsSavedOrCreated) {
    RegistrySandbox sandbox;
    ProfileList list;
    LoadProfiles(list, nullptr, nullptr, kSeven);
    ProfileList deleted;
    deleted.push_back(std::make_unique<ProfileRecord>());
    deleted.back()->name = u"cam";
    EXPECT_TRUE(SaveProfiles(list, deleted, kSeven));
    EXPECT_FALSE(RegKey::OpenForRead(HKEY_CURRENT_USER, contract::kProfilesKey).IsOpen());
    EXPECT_EQ(deleted.size(), 1u);
}

// The registry deletes the key itself for an empty subkey name.
TEST(ProfilesRegistry, ARecordWithoutNameNeverDeletesTheProfilesKey) {
    RegistrySandbox sandbox;
    sandbox.Settings(u"Profiles").WriteString(contract::kFormatString, u"<Fl>");
    ProfileList deleted;
    deleted.push_back(std::make_unique<ProfileRecord>());
    ProfileList list;
    EXPECT_TRUE(SaveProfiles(list, deleted, kSeven));
    EXPECT_EQ(RegKey::OpenForRead(HKEY_CURRENT_USER, contract::kProfilesKey)
                  .ReadString(contract::kFormatString, 10),
              u"<Fl>");
}

// The user has seeded defaults of stamp 5 and a camera; the machine offers
// a full set of defaults, without a stamp yet.
struct SeedState {
    SeedState() {
        machine = sandbox.MachineProfiles();
        user = sandbox.Settings(u"Profiles");
        sandbox.Settings(u"Profiles\\cam");
        machine.WriteString(contract::kFormatString, u"<Y4><C4>");
        machine.WriteString(contract::kDriveLetter, u"e");
        machine.WriteDword(contract::kIfDriveLetterUnavailable, 2);
        machine.WriteDword(contract::kAutoMap, 1);
        user.WriteString(contract::kDriveLetter, u"U");
        user.WriteString(contract::kFormatString, u"<Fl>");
        user.WriteDword(contract::kAutoMap, 0);
        user.WriteQword(contract::kTimestamp, 5);
    }
    static RegKey User() { return RegKey::OpenForRead(HKEY_CURRENT_USER, contract::kProfilesKey); }

    RegistrySandbox sandbox;
    RegKey machine;
    RegKey user;
};

TEST(SeedProfiles, NothingIsCopiedWithoutNewerDefaults) {
    struct Case {
        const char* what;
        DWORD type;
        std::uint64_t stamp;
    };
    const Case cases[] = {{"the same stamp", REG_QWORD, 5},
                          {"an older stamp", REG_QWORD, 4},
                          {"no stamp", REG_NONE, 0},
                          {"a stamp of another type", REG_DWORD, 6}};
    for (const Case& c : cases) {
        SeedState state;
        if (c.type != REG_NONE) {
            RegistrySandbox::WriteRaw(state.machine, contract::kTimestamp, c.type, &c.stamp,
                                      c.type == REG_QWORD ? 8 : 4);
        }
        EXPECT_FALSE(SeedProfilesFromMachine()) << c.what;
        EXPECT_EQ(SeedState::User().ReadString(contract::kDriveLetter, 10), u"U") << c.what;
        EXPECT_EQ(SeedState::User().ReadQword(contract::kTimestamp), 5u) << c.what;
    }
}

TEST(SeedProfiles, NewerDefaultsAreCopied) {
    for (const bool deleteAll : {false, true}) {
        SeedState state;
        state.machine.WriteQword(contract::kTimestamp, 6);
        state.machine.WriteDword(contract::kDeleteAllCustomProfiles, deleteAll ? 1 : 0);
        EXPECT_TRUE(SeedProfilesFromMachine()) << deleteAll;
        const RegKey user = SeedState::User();
        EXPECT_EQ(user.ReadQword(contract::kTimestamp), 6u) << deleteAll;
        EXPECT_EQ(user.ReadString(contract::kFormatString, 100), u"<Y4><C4>") << deleteAll;
        EXPECT_EQ(user.ReadString(contract::kDriveLetter, 10), u"E") << deleteAll;
        EXPECT_EQ(user.ReadDword(contract::kIfDriveLetterUnavailable), 2u) << deleteAll;
        EXPECT_EQ(user.ReadDword(contract::kAutoMap), 1u) << deleteAll;
        EXPECT_EQ(ProfileKeyExists(u"cam"), !deleteAll) << deleteAll;
    }
}

TEST(SeedProfiles, DefaultsTheMachineLacksAreRemovedFromTheUser) {
    const char16_t* const letters[] = {u"EF", u"1", nullptr};
    for (const char16_t* letter : letters) {
        SeedState state;
        state.machine.WriteQword(contract::kTimestamp, 6);
        state.machine.DeleteValue(contract::kFormatString);
        state.machine.DeleteValue(contract::kAutoMap);
        if (letter != nullptr) {
            state.machine.WriteString(contract::kDriveLetter, letter);
        } else {
            state.machine.DeleteValue(contract::kDriveLetter);
        }
        const std::string what = letter != nullptr ? "letter of the wrong form" : "no letter";
        EXPECT_TRUE(SeedProfilesFromMachine()) << what;
        const RegKey user = SeedState::User();
        EXPECT_FALSE(user.HasValue(contract::kDriveLetter)) << what;
        EXPECT_FALSE(user.HasValue(contract::kFormatString)) << what;
        EXPECT_FALSE(user.HasValue(contract::kAutoMap)) << what;
        EXPECT_EQ(user.ReadDword(contract::kIfDriveLetterUnavailable), 2u) << what;
    }
}

}  // namespace
