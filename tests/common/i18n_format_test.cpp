#include "common/catalogue/i18n_format.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "common/catalogue/i18n_accessors.h"
#include "common/catalogue/i18n_composed.h"
#include "tests/common/catalogue_fixture.h"
#include "tests/support/trace_capture.h"
#include "tests/support/u16.h"

namespace {

constexpr auto S = MarkerType::String;
constexpr auto C = MarkerType::Char;
constexpr auto D = MarkerType::Integer;

class I18NFormatTest : public CatalogueTest {
  protected:
    char16_t out_[300] = {};
    std::string Out() const { return Narrow(out_); }
};

TEST_F(I18NFormatTest, TranslatedMarkersTakeTheArgumentsInTheirOrder) {
    Translate({u"90=#1 is at #2%", u"105=#2 and #1", u"144=Between #1 and #1",
               u"84=Laufwerk #1: wird getrennt", u"86=Laufwerk #1 trennen"});

    EXPECT_EQ(I18N_wsprintfI(out_, 300, 90, S, D, u"X", 5, 0), 10);
    EXPECT_EQ(Out(), "X is at 5%");
    EXPECT_EQ(I18N_wsprintf(out_, 300, 105, S, S, u"A", u"B", 0), 7);
    EXPECT_EQ(Out(), "B and A");
    // A repeated marker is refused: the English template is used.
    I18N_wsprintf(out_, 300, 144, D, D, 100, 999999, 0);
    EXPECT_EQ(Out(), "Cache size must be between 100 and 999999.");
    I18N_wsprintf(out_, 300, 84, C, u'E', 0);
    EXPECT_EQ(Out(), "Laufwerk E: wird getrennt");
    I18N_wsprintf(out_, 300, 84, C, u'E', 1);
    EXPECT_EQ(Out(), "Disconnecting drive E: ...");

    // Composites take their pieces as they are: the markers stay text...
    I18N_wsprintf_Internal(out_, 300, -28, u"X", nullptr, 5);
    EXPECT_EQ(Out(), "#1 is at #2%\n\nDo you want to continue?");
    // ...unless the operation transforms the expanded text.
    I18N_wsprintf(out_, 300, -31, S, u"E:", 0);
    EXPECT_EQ(Out(), "Laufwerk E: trennen and cancel its drive letter mapping.");
}

TEST_F(I18NFormatTest, SwappedArgumentsKeepTheirTypes) {
    Translate({u"90=#2% bei '#1'", u"144=#2 bis #1"});
    // The integer goes first when the translation names it first.
    I18N_wsprintfI(out_, 300, 90, S, D, u"Cam", 5, 0);
    EXPECT_EQ(Out(), "5% bei 'Cam'");
    I18N_wsprintf(out_, 300, 144, D, D, 1, 2, 0);
    EXPECT_EQ(Out(), "2 bis 1");
    I18N_wsprintfI(out_, 300, 90, S, D, u"Cam", 5, 1);
    EXPECT_EQ(Out(), "Battery level of the camera 'Cam' is only 5%");
}

TEST_F(I18NFormatTest, TranslationsCannotMakeAnOperationReadMoreArguments) {
    // A loaded text keeps its conversions as text: the reader doubles "%".
    Translate({u"1=%s%d%n", u"104=#1 %s %d"});
    I18N_wsprintf(out_, 300, 1, 0);
    EXPECT_EQ(Out(), "%s%d%n");
    I18N_wsprintf(out_, 300, 104, S, u"WIA", 0);
    EXPECT_EQ(Out(), "WIA %s %d");
    // Even a block holding raw conversions only gets markers for them.
    ASSERT_TRUE(InstallCatalogue(std::vector<std::int32_t>{104},
                                 std::vector<std::u16string>{u"#1 %s %d %ls"}));
    I18N_wsprintf(out_, 300, 104, S, u"WIA", 0);
    EXPECT_EQ(Out(), "WIA (?%s) (?%d) (?%ls)");
}

TEST_F(I18NFormatTest, IdsWithoutTextGiveAnEmptyResult) {
    for (int id : {77, 199, -35, -43}) {
        std::fill(std::begin(out_), std::end(out_), u'#');
        EXPECT_EQ(I18N_wsprintf(out_, 300, id, 0), 0) << id;
        EXPECT_EQ(Out(), "") << id;
        out_[0] = u'#';
        EXPECT_EQ(I18N_wsprintf(out_, 300, id, S, S, u"a", u"b", 0), 0) << id;
        EXPECT_EQ(Out(), "") << id;
        out_[0] = u'#';
        EXPECT_EQ(I18N_wsprintf_Internal(out_, 300, id, u"a", u"b", 1), 0) << id;
        EXPECT_EQ(Out(), "") << id;
    }
}

TEST_F(I18NFormatTest, InternalUsesEnglishAndRawTemplatesAndPlacesItsArguments) {
    Translate({u"108=übersetzt", u"113=Fehler beim Abrufen."});
    I18N_wsprintf_Internal(out_, 300, 108, u"WIA", nullptr, 'E');
    EXPECT_EQ(Out(), "This camera is already mapped as drive E: using WIA.");
    I18N_wsprintf_Internal(out_, 300, -29, u"busy", u"DSC_0001.JPG", 0);
    EXPECT_EQ(Out(), "Fehler beim Abrufen.\n\nbusy\nFile:\nDSC_0001.JPG");
    I18N_wsprintf_Internal(out_, 300, -41, nullptr, nullptr, 0);
    EXPECT_EQ(Out(), "The camera went offline, cannot get list of files.");
    const int code = static_cast<int>(0x80070005u);
    EXPECT_EQ(I18N_wsprintf_Internal(out_, 300, -33, nullptr, nullptr, code), 283);
    EXPECT_THAT(Out(), ::testing::StartsWith(
                           "Unable to get list of files from the camera, error 0x80070005.\n\n"
                           "Try the mapping again later, or restart the \"Windows Image"));
    EXPECT_THAT(Out(), ::testing::EndsWith("for further assistance."));
    EXPECT_EQ(I18N_wsprintf_Internal(out_, 300, -40, nullptr, nullptr, code), 299);  // cut
}

TEST_F(I18NFormatTest, OperationsTraceUnderTheirTags) {
    TraceCapture trace;
    I18N_wsprintf(out_, 300, 1, 0);
    I18N_wsprintf(out_, 300, 172, S, u"WIA", 0);
    I18N_wsprintf(out_, 300, 144, D, D, 1, 2, 0);
    I18N_wsprintf(out_, 300, 105, S, S, u"a", u"b", 0);
    I18N_wsprintfI(out_, 300, 90, S, D, u"a", 1, 0);
    I18N_wsprintf_Internal(out_, 300, 1, nullptr, nullptr, 0);
    EXPECT_THAT(
        trace.Texts(),
        ::testing::ElementsAre(
            "I98@I18N_wsprintf: ENTER ", "I98@I18N_wsprintf: RETURN: RC=0x00000002 (2)",
            "I50@I18N_wsprintf: ENTER ", "I50@I18N_wsprintf: RETURN: RC=0x0000000C (12)",
            "I88@I18N_wsprintf: ENTER ", "I88@I18N_wsprintf: RETURN: RC=0x00000023 (35)",
            "I52@I18N_wsprintf: ENTER ", "I52@I18N_wsprintf: RETURN: RC=0x0000001A (26)",
            "I120@I18N_wsprintfI: ENTER ", "I120@I18N_wsprintfI: RETURN: RC=0x0000002A (42)",
            "I58@I18N_wsprintf_Internal: ENTER ",
            "I58@I18N_wsprintf_Internal: RETURN: RC=0x00000002 (2)"));
}

TEST_F(I18NFormatTest, ComposedAccessors) {
    EXPECT_EQ(Narrow(I18N_TitleError(0)), "Camfolio - Error");
    EXPECT_EQ(Narrow(I18N_Size(0)), "Size:");
    EXPECT_EQ(Narrow(I18N_ThirdParty(0)), "Third parties:");
    EXPECT_EQ(Narrow(I18N_LocationCurrent(0)), "Location (current):");
    EXPECT_EQ(Narrow(I18N_LocationPending(0)), "Location (pending):");
    EXPECT_EQ(Narrow(I18N_Example(1, 0)), "Example");
    EXPECT_EQ(Narrow(I18N_Example(0, 0)), "example");
    EXPECT_EQ(Narrow(I18N_MapThisDeviceToDriveLetter(0)), "Map this camera to a drive letter");
    EXPECT_EQ(Narrow(I18N_ErrorDriveIcon(0, 0)),
              "Unable to unset the drive icon.\n\nAdministrator privileges needed.");
    EXPECT_EQ(Narrow(_ErrorRegDereg(1, 5, 0)),
              "Unable to register the dll (5)\n\nAdministrator privileges needed.");
    EXPECT_EQ(Narrow(_ErrorRegDereg(0, -1, 0)),
              "Unable to deregister the dll (-1)\n\nAdministrator privileges needed.");

    // A catalogue without id 23 still gives the English caption.
    Translate({u"13=Info", u"63=Grosse", u"66=Ort", u"67=jetzt", u"27=Diese",
               u"85=#1 Kamera zuordnen", u"102=Symbol nicht #1", u"58=entfernt"});
    EXPECT_EQ(Narrow(I18N_TitleError(0)), "Camfolio - Error");
    EXPECT_EQ(Narrow(I18N_Size(0)), "Grosse:");
    EXPECT_EQ(Narrow(I18N_LocationCurrent(0)), "Ort (jetzt):");
    EXPECT_EQ(Narrow(I18N_LocationPending(0)), "Ort (pending):");
    EXPECT_EQ(Narrow(I18N_MapThisDeviceToDriveLetter(0)), "Diese Kamera zuordnen");
    EXPECT_EQ(Narrow(I18N_MapThisDeviceToDriveLetter(1)), "Map this camera to a drive letter");
    EXPECT_EQ(Narrow(I18N_ErrorDriveIcon(0, 0)),
              "Symbol nicht entfernt\n\nAdministrator privileges needed.");
}

TEST_F(I18NFormatTest, ComposedTextsThatWouldNotFitAreEnglish) {
    const std::u16string long95(95, u'e');
    Translate({u"23=" + long95, u"63=" + std::u16string(29, u's'),
               u"174=" + std::u16string(99, u't'), u"66=" + long95, u"85=#1 " + long95,
               u"103=" + std::u16string(290, u'a')});
    EXPECT_EQ(Narrow(I18N_TitleError(0)), "Camfolio - Error");
    EXPECT_EQ(Narrow(I18N_Error(0)), Narrow(long95));
    EXPECT_EQ(Narrow(I18N_Size(0)), "Size:");
    EXPECT_EQ(Narrow(I18N_ThirdParty(0)), "Third parties:");
    EXPECT_EQ(Narrow(I18N_LocationCurrent(0)), "Location (current):");
    EXPECT_EQ(Narrow(_ErrorRegDereg(1, 0, 0)),
              "Unable to set the drive icon.\n\nAdministrator privileges needed.");
    // The device text counts too; an English result that is still too long is cut.
    EXPECT_EQ(Narrow(_MapXDeviceToDriveLetter(u"D90", 0)), "Map D90 camera to a drive letter");
    const std::u16string device(120, u'd');
    EXPECT_EQ(Narrow(_MapXDeviceToDriveLetter(device.c_str(), 0)), "Map " + std::string(95, 'd'));
}

}  // namespace
