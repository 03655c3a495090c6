#pragma once
// One accessor per user-visible text of the catalogue: the translation of its
// id when one is loaded (an empty translation is an empty text), else the
// built-in English; with useEnglish non-zero the English directly. Each traces
// under its tag (I and a number). The texts stay valid until the catalogue is
// unloaded or reloaded.

const char16_t* I18N_About(int useEnglish);
const char16_t* I18N_All(int useEnglish);
const char16_t* I18N_Ask(int useEnglish);
const char16_t* I18N_Automap(int useEnglish);
const char16_t* I18N_Build(int useEnglish);
const char16_t* I18N_CacheSettings(int useEnglish);
const char16_t* I18N_CameraProfiles(int useEnglish);
const char16_t* I18N_DeleteProfile(int useEnglish);
const char16_t* I18N_Diagnostics(int useEnglish);
const char16_t* I18N_DoYouWantDeleteProfile(int useEnglish);
const char16_t* I18N_Error(int useEnglish);
const char16_t* I18N_ErrorCheckingForUpdate(int useEnglish);
const char16_t* I18N_ErrorStringFormat(int useEnglish);
const char16_t* I18N_FilenameFormat(int useEnglish);
const char16_t* I18N_FirstAvailable(int useEnglish);
const char16_t* I18N_GUIApply(int useEnglish);
const char16_t* I18N_GUIBatteryCheck(int useEnglish);
const char16_t* I18N_GUIBrowse(int useEnglish);
const char16_t* I18N_GUIBuild(int useEnglish);
const char16_t* I18N_GUICancel(int useEnglish);
const char16_t* I18N_GUICheckForUpdate(int useEnglish);
const char16_t* I18N_GUIEnableTrace(int useEnglish);
const char16_t* I18N_GUIOK(int useEnglish);
const char16_t* I18N_GUIRegisterWIA(int useEnglish);
const char16_t* I18N_Homepage(int useEnglish);
const char16_t* I18N_IfNotAvailable(int useEnglish);
const char16_t* I18N_Language(int useEnglish);
const char16_t* I18N_LastAvailable(int useEnglish);
const char16_t* I18N_LatestVersion(int useEnglish);
const char16_t* I18N_Log(int useEnglish);
const char16_t* I18N_PreferredDriveLetter(int useEnglish);
const char16_t* I18N_ProfileColumn_Alias(int useEnglish);
const char16_t* I18N_ProfileColumn_Name(int useEnglish);
const char16_t* I18N_ProfileColumn_Serial(int useEnglish);
const char16_t* I18N_Profiles(int useEnglish);
const char16_t* I18N_SecondCard(int useEnglish);
const char16_t* I18N_Settings(int useEnglish);
const char16_t* I18N_WillBeAddedAutomatically(int useEnglish);
const char16_t* I18N_YourVersion(int useEnglish);
// The pieces of composed messages (i18n_composed.h).
const char16_t* _AdminPrivilegesNeeded(int useEnglish);
const char16_t* _Register(int useEnglish);
const char16_t* _Deregister(int useEnglish);
const char16_t* _Set(int useEnglish);
const char16_t* _Unset(int useEnglish);
const char16_t* _This(int useEnglish);
