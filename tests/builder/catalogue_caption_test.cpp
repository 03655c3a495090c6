#include "builder/convert/catalogue_caption.h"

#include <gtest/gtest.h>

#include "tests/common/catalogue_fixture.h"

namespace {

TEST_F(CatalogueTest, CaptionsOfPlainAndCompositeIds) {
    EXPECT_EQ(CatalogueCaption(94), u"Range selector");
    EXPECT_EQ(CatalogueCaption(-7), u"Original name (Range)...");
    EXPECT_EQ(CatalogueCaption(-10), u"Example (original):");
    EXPECT_EQ(CatalogueCaption(41), u"");  // an empty slot
    Translate({u"43=Bereich", u"162=Originalname", u"94=Bereichsauswahl"});
    EXPECT_EQ(CatalogueCaption(94), u"Bereichsauswahl");
    EXPECT_EQ(CatalogueCaption(-7), u"Originalname (Bereich)...");
    EXPECT_EQ(CatalogueCaption(-26), u"Select characters to use:");
}

}  // namespace
