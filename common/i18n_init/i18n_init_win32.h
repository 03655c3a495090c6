#pragma once
// The catalogue's language comes from the registry: LngFile names a file in
// the data folder.

// Loads the language file chosen in LngFile unless a translation is loaded
// already; without a usable file the built-in English stays (tag I1).
void I18N_Init();
// I18N_DeInit, then I18N_Init, so that a newly chosen language shows at once
// (tag I3).
void I18N_Reload();
