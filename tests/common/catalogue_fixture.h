#pragma once
// Tests with a translation loaded from language file lines, as the applet
// would load it; the built-in English is back after each test.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/catalogue/catalogue.h"
#include "common/language/language_file.h"
#include "tests/support/utf16_file.h"

class CatalogueTest : public ::testing::Test {
  protected:
    void TearDown() override { I18N_DeInit(); }

    // The lines after the header, e.g. u"90=#1 is at #2%".
    static void Translate(const std::vector<std::u16string>& lines) {
        std::vector<std::int32_t> ids;
        std::vector<std::u16string> strings;
        LanguageFileRequest request;
        request.ids = &ids;
        request.strings = &strings;
        const std::vector<std::byte> bytes = LanguageFileBytes(WithHeader(lines));
        MemorySource source(bytes);
        ASSERT_TRUE(ReadLanguageFile(source, request).Accepted());
        ASSERT_TRUE(InstallCatalogue(ids, strings));
    }
};
