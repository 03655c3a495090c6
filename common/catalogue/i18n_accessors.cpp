#include "common/catalogue/i18n_accessors.h"

#include "common/catalogue/catalogue.h"
#include "common/catalogue/i18n_trace.h"
#include "diag/trace/trace.h"

namespace {

const char16_t* Accessed(const char16_t* tag, std::int32_t id, int useEnglish) {
    TraceEnter(tag);
    const char16_t* text = CatalogueText(id, useEnglish);
    TraceReturnText(tag, text);
    return text;
}

}  // namespace

const char16_t* I18N_About(int useEnglish) {
    return Accessed(u"I86@I18N_About: ", 13, useEnglish);
}

const char16_t* I18N_All(int useEnglish) {
    return Accessed(u"I91@I18N_All: ", 19, useEnglish);
}

const char16_t* I18N_Ask(int useEnglish) {
    return Accessed(u"I145@I18N_Ask: ", 185, useEnglish);
}

const char16_t* I18N_Automap(int useEnglish) {
    return Accessed(u"I143@I18N_Automap: ", 183, useEnglish);
}

const char16_t* I18N_Build(int useEnglish) {
    return Accessed(u"I15@I18N_Build: ", 21, useEnglish);
}

const char16_t* I18N_CacheSettings(int useEnglish) {
    return Accessed(u"I72@I18N_CacheSettings: ", 173, useEnglish);
}

const char16_t* I18N_CameraProfiles(int useEnglish) {
    return Accessed(u"I141@I18N_CameraProfiles: ", 181, useEnglish);
}

const char16_t* I18N_DeleteProfile(int useEnglish) {
    return Accessed(u"I148@I18N_DeleteProfile: ", 188, useEnglish);
}

const char16_t* I18N_Diagnostics(int useEnglish) {
    return Accessed(u"I69@I18N_Diagnostics: ", 62, useEnglish);
}

const char16_t* I18N_DoYouWantDeleteProfile(int useEnglish) {
    return Accessed(u"I150@I18N_DoYouWantDeleteProfile: ", 189, useEnglish);
}

const char16_t* I18N_Error(int useEnglish) {
    return Accessed(u"I10@I18N_Error: ", 23, useEnglish);
}

const char16_t* I18N_ErrorCheckingForUpdate(int useEnglish) {
    return Accessed(u"I92@I18N_ErrorCheckingForUpdate: ", 151, useEnglish);
}

const char16_t* I18N_ErrorStringFormat(int useEnglish) {
    return Accessed(u"I97@I18N_ErrorStringFormat: ", 163, useEnglish);
}

const char16_t* I18N_FilenameFormat(int useEnglish) {
    return Accessed(u"I76@I18N_FilenameFormat: ", 160, useEnglish);
}

const char16_t* I18N_FirstAvailable(int useEnglish) {
    return Accessed(u"I146@I18N_FirstAvailable: ", 186, useEnglish);
}

const char16_t* I18N_GUIApply(int useEnglish) {
    return Accessed(u"I89@I18N_GUIApply: ", 4, useEnglish);
}

const char16_t* I18N_GUIBatteryCheck(int useEnglish) {
    return Accessed(u"I159@I18N_GUIBatteryCheck: ", 176, useEnglish);
}

const char16_t* I18N_GUIBrowse(int useEnglish) {
    return Accessed(u"I75@I18N_GUIBrowse: ", 10, useEnglish);
}

const char16_t* I18N_GUIBuild(int useEnglish) {
    return Accessed(u"I95@I18N_GUIBuild: ", 11, useEnglish);
}

const char16_t* I18N_GUICancel(int useEnglish) {
    return Accessed(u"I40@I18N_GUICancel: ", 2, useEnglish);
}

const char16_t* I18N_GUICheckForUpdate(int useEnglish) {
    return Accessed(u"I67@I18N_GUICheckForUpdate: ", 150, useEnglish);
}

const char16_t* I18N_GUIEnableTrace(int useEnglish) {
    return Accessed(u"I70@I18N_GUIEnableTrace: ", 171, useEnglish);
}

const char16_t* I18N_GUIOK(int useEnglish) {
    return Accessed(u"I128@I18N_GUIOK: ", 1, useEnglish);
}

const char16_t* I18N_GUIRegisterWIA(int useEnglish) {
    return Accessed(u"I127@I18N_GUIRegisterWIA: ", 92, useEnglish);
}

const char16_t* I18N_Homepage(int useEnglish) {
    return Accessed(u"I125@I18N_Homepage: ", 127, useEnglish);
}

const char16_t* I18N_IfNotAvailable(int useEnglish) {
    return Accessed(u"I144@I18N_IfNotAvailable: ", 184, useEnglish);
}

const char16_t* I18N_Language(int useEnglish) {
    return Accessed(u"I68@I18N_Language: ", 61, useEnglish);
}

const char16_t* I18N_LastAvailable(int useEnglish) {
    return Accessed(u"I147@I18N_LastAvailable: ", 187, useEnglish);
}

const char16_t* I18N_LatestVersion(int useEnglish) {
    return Accessed(u"I94@I18N_LatestVersion: ", 153, useEnglish);
}

const char16_t* I18N_Log(int useEnglish) {
    return Accessed(u"I90@I18N_Log: ", 18, useEnglish);
}

const char16_t* I18N_PreferredDriveLetter(int useEnglish) {
    return Accessed(u"I142@I18N_PreferredDriveLetter: ", 182, useEnglish);
}

const char16_t* I18N_ProfileColumn_Alias(int useEnglish) {
    return Accessed(u"I153@I18N_ProfileColumn_Alias: ", 191, useEnglish);
}

const char16_t* I18N_ProfileColumn_Name(int useEnglish) {
    return Accessed(u"I152@I18N_ProfileColumn_Name: ", 190, useEnglish);
}

const char16_t* I18N_ProfileColumn_Serial(int useEnglish) {
    return Accessed(u"I154@I18N_ProfileColumn_Serial: ", 192, useEnglish);
}

const char16_t* I18N_Profiles(int useEnglish) {
    return Accessed(u"I140@I18N_Profiles: ", 180, useEnglish);
}

const char16_t* I18N_SecondCard(int useEnglish) {
    return Accessed(u"I160@I18N_SecondCard: ", 195, useEnglish);
}

const char16_t* I18N_Settings(int useEnglish) {
    return Accessed(u"I85@I18N_Settings: ", 12, useEnglish);
}

const char16_t* I18N_WillBeAddedAutomatically(int useEnglish) {
    return Accessed(u"I87@I18N_WillBeAddedAutomatically: ", 143, useEnglish);
}

const char16_t* I18N_YourVersion(int useEnglish) {
    return Accessed(u"I93@I18N_YourVersion: ", 152, useEnglish);
}

const char16_t* _AdminPrivilegesNeeded(int useEnglish) {
    return Accessed(u"I32@_AdminPrivilegesNeeded: ", 103, useEnglish);
}

const char16_t* _Register(int useEnglish) {
    return Accessed(u"I28@_Register: ", 55, useEnglish);
}

const char16_t* _Deregister(int useEnglish) {
    return Accessed(u"I29@_Deregister: ", 56, useEnglish);
}

const char16_t* _Set(int useEnglish) {
    return Accessed(u"I30@_Set: ", 57, useEnglish);
}

const char16_t* _Unset(int useEnglish) {
    return Accessed(u"I31@_Unset: ", 58, useEnglish);
}

const char16_t* _This(int useEnglish) {
    return Accessed(u"I22@_This: ", 27, useEnglish);
}
