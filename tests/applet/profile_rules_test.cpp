#include <gtest/gtest.h>

#include <map>
#include <string>

#include "applet/profiles/builder_command.h"
#include "applet/profiles/drive_letters.h"
#include "applet/profiles/profile_controls.h"
#include "applet/profiles/profile_example.h"
#include "applet/profiles/profile_order.h"
#include "tests/support/u16.h"

namespace {

ProfileRecord Record(std::u16string name, std::optional<std::u16string> alias,
                     std::u16string subName) {
    ProfileRecord record;
    record.name = std::move(name);
    record.alias = std::move(alias);
    record.subName = std::move(subName);
    return record;
}

TEST(ProfileOrder, ComparesTheChosenFieldByUnitsInEitherDirection) {
    const ProfileRecord nikon = Record(u"NIKON", u"holiday", u"");
    const ProfileRecord canon = Record(u"Canon", std::nullopt, u"1234");
    const ProfileRecord lower = Record(u"canon", u"", u"0999");
    const ProfileRecord noName = Record(u"", std::nullopt, u"");  // the default profile
    const struct {
        const char* what;
        const ProfileRecord* first;
        const ProfileRecord* second;
        int key;
        int expected;
    } cases[] = {
        {"names by units: upper case first", &canon, &lower, sort_key::kName, -1},
        {"descending reverses", &canon, &lower, sort_key::kName | sort_key::kDescending, 1},
        {"equal names", &canon, &canon, sort_key::kName, 0},
        {"a missing name sorts first", &noName, &nikon, sort_key::kName, -1},
        {"... and last descending", &noName, &nikon, sort_key::kName | sort_key::kDescending, 1},
        {"both names missing are equal", &noName, &noName, sort_key::kName, 0},
        {"alias against none", &nikon, &canon, sort_key::kAlias, 1},
        {"an empty alias counts as none", &lower, &canon, sort_key::kAlias, 0},
        {"sub names", &canon, &lower, sort_key::kSubName, 1},
        {"a key without a field", &canon, &nikon, 0x2, 0},
        {"a missing record sorts first", nullptr, &canon, sort_key::kName, -1},
        {"... whatever the direction", &canon, nullptr, sort_key::kName | sort_key::kDescending, 1},
        {"two missing records", nullptr, nullptr, sort_key::kName, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CompareProfileRows(c.first, c.second, c.key), c.expected) << c.what;
    }
}

TEST(ProfileOrder, EveryColumnClickReversesTheDirection) {
    int key = sort_key::kInitial;
    key = SortKeyAfterColumnClick(key, 0);
    EXPECT_EQ(key, sort_key::kName | sort_key::kDescending);
    key = SortKeyAfterColumnClick(key, 1);
    EXPECT_EQ(key, sort_key::kAlias);
    key = SortKeyAfterColumnClick(key, 2);
    EXPECT_EQ(key, sort_key::kSubName | sort_key::kDescending);
}

TEST(DriveLetters, OffersFreeAndRemovableLettersFromZDown) {
    // C: fixed, D: optical, E: a card reader, G: a connected network drive.
    const std::map<char16_t, unsigned> types = {{u'C', 3}, {u'D', 5}, {u'E', 2}, {u'G', 4}};
    const auto offered = OfferedDriveLetters([&](char16_t letter) {
        const auto found = types.find(letter);
        return found != types.end() ? found->second : 1u;
    });
    EXPECT_EQ(std::u16string(offered.begin(), offered.end()), u"ZYXWVUTSRQPONMLKJIHFE");
    EXPECT_EQ(DriveLetterEntry(u'E'), u"E: ");
}

TEST(DriveLetters, ChoosesTheStoredLetterOrTheFirstAsAChange) {
    const std::vector<char16_t> offered = {u'Z', u'Y', u'E'};
    const struct {
        char16_t stored;
        int index;
        bool changed;
    } cases[] = {{u'E', 2, false}, {u'y', 1, false}, {u'D', 0, true}, {u'\0', 0, true}};
    for (const auto& c : cases) {
        const DriveLetterChoice choice = ChooseDriveLetter(offered, c.stored);
        EXPECT_EQ(choice.index, c.index) << static_cast<int>(c.stored);
        EXPECT_EQ(choice.changed, c.changed) << static_cast<int>(c.stored);
    }
    EXPECT_TRUE(ChooseDriveLetter({}, u'E').changed);
    EXPECT_EQ(DriveLetterOfEntry(u"e: "), u'E');
    EXPECT_EQ(DriveLetterOfEntry(u""), u'\0');
}

TEST(ProfileControls, EachControlFollowsWhatIsShown) {
    const auto states = [](bool shown, bool isDefault, bool multiCardSystem, bool secondSlot,
                           bool autoMap) {
        const ProfileControls c =
            ProfileControlStates({shown, isDefault, multiCardSystem, secondSlot, autoMap});
        return std::string{c.letter ? 'L' : '-',       c.secondSlot ? 'S' : '-',
                           c.secondLetter ? '2' : '-', c.camera ? 'C' : '-',
                           c.mapping ? 'M' : '-',      c.policy ? 'P' : '-',
                           c.format ? 'F' : '-'};
    };
    EXPECT_EQ(states(false, false, true, true, true), "-------");
    EXPECT_EQ(states(true, true, true, false, false), "LS--M-F");
    EXPECT_EQ(states(true, false, true, true, true), "LS2CMPF");
    // Without a second slot on the system its letter stays off, even when set.
    EXPECT_EQ(states(true, false, false, true, false), "L--CM-F");
}

TEST(BuilderCommand, NamesTheWindowAndQuotesTheFormatWithinTheBound) {
    EXPECT_EQ(BuilderCommandLine(u"\"C:\\Program Files\\Camfolio\\CamfolioFmt.exe\"", 0x1A2B,
                                 u"<Y4><Fo>"),
              u"\"C:\\Program Files\\Camfolio\\CamfolioFmt.exe\" /h 00001A2B \"<Y4><Fo>\"");
    EXPECT_EQ(BuilderCommandLine(u"C:\\Fmt.exe", 0xFEDCBA98, u""), u"C:\\Fmt.exe /h FEDCBA98");
    EXPECT_EQ(FormatToEdit(u""), u"<Y4>-<M2>-<D2>-<C4><Fo>");
    EXPECT_EQ(FormatToEdit(u"<O>"), u"<O>");
    // 259 units fit; one more would cut the format's closing quote.
    const std::u16string path(259 - 18, u'p');
    ASSERT_EQ(BuilderCommandLine(path, 1, u"<O>").value_or(u"").size(), 259u);
    EXPECT_FALSE(BuilderCommandLine(path + u"p", 1, u"<O>"));
}

TEST(ProfileExample, ShowsTheSamplePictureOrRefusesTheFormat) {
    constexpr std::uint64_t kNovember16th2016 = 131237658000000000ull;  // 10:30
    EXPECT_EQ(ProfileExample(u"", kNovember16th2016), u"2016-11-16-0001.JPG");
    EXPECT_EQ(ProfileExample(u"<Y2><M2><D2>_<O><Fo>", kNovember16th2016), u"161116_DSC_0057.JPG");
    EXPECT_FALSE(ProfileExample(u"<Y4>:<Fo>", kNovember16th2016));  // a forbidden character
    EXPECT_FALSE(ProfileExample(u"<Q9>", kNovember16th2016));
}

}  // namespace
