#pragma once
// The catalogue's language comes from the registry: LngFile names a file in
// the data folder.
#include "common/catalogue/catalogue.h"

// Loads the language file chosen in LngFile unless a translation is loaded
// already; without a usable file the built-in English stays (tag I1).
void I18N_Init();
// I18N_DeInit, then I18N_Init, so that a newly chosen language shows at once
// (tag I3).
void I18N_Reload();

// The catalogue loaded for the owner's lifetime: I18N_Init on construction,
// I18N_DeInit on destruction, so that no path out of the owner keeps the
// translation loaded.
class I18NCatalogueScope {
  public:
    I18NCatalogueScope() { I18N_Init(); }
    ~I18NCatalogueScope() { I18N_DeInit(); }
    I18NCatalogueScope(const I18NCatalogueScope&) = delete;
    I18NCatalogueScope& operator=(const I18NCatalogueScope&) = delete;
};
