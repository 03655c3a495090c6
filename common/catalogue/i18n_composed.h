#pragma once
// Accessors that select between texts or compose one from several. A composed
// text is kept in a buffer of the accessor's own and stays valid until the
// same accessor is called again; copy it before that. A translated result that
// would not fit the buffer is composed from the English texts instead.
// useEnglish as for the plain accessors (i18n_accessors.h).

// "Example" with capital, else "example" (tag I78).
const char16_t* I18N_Example(int capital, int useEnglish);

// The caption of every error message box: "Camfolio - " and the error text
// (tag I16; 100 units).
const char16_t* I18N_TitleError(int useEnglish);
// "Size:" (tag I73; 30 units).
const char16_t* I18N_Size(int useEnglish);
// "Third parties:" (tag I79; 100 units).
const char16_t* I18N_ThirdParty(int useEnglish);

// "Location (current):" or "Location (pending):" (tag I80; 100 units, shared
// by the two callers below).
const char16_t* _I18N_Location(int current, int useEnglish);
const char16_t* I18N_LocationCurrent(int useEnglish);  // tag I81
const char16_t* I18N_LocationPending(int useEnglish);  // tag I82

// "Map <device> camera to a drive letter" (tag I21; 100 units). A translated
// template that would not leave room for the device text is replaced by the
// English one.
const char16_t* _MapXDeviceToDriveLetter(const char16_t* device, int useEnglish);
// The same with "this" (tag I23).
const char16_t* I18N_MapThisDeviceToDriveLetter(int useEnglish);

// The message for a failed registration (code non-zero: "Unable to register
// the dll (code)" or "deregister") or a failed change of the drive icon (code
// 0: "Unable to set the drive icon." or "unset"), then a blank line and
// "Administrator privileges needed." (tag I33; 300 units).
const char16_t* _ErrorRegDereg(int set, int code, int useEnglish);
// _ErrorRegDereg with code 0 (tag I38).
const char16_t* I18N_ErrorDriveIcon(int set, int useEnglish);
