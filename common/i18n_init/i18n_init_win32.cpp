#include "common/i18n_init/i18n_init_win32.h"

#include <cstddef>

#include "common/catalogue/catalogue.h"
#include "config/settings_registry.h"
#include "diag/text/text_units.h"
#include "diag/trace/trace.h"

void I18N_Init() {
    constexpr const char16_t* kTag = u"I1@I18N_Init: ";
    TraceEnter(kTag);
    char16_t path[kPathUnits] = {};
    I18N_InitFromFile(Registry_Get_LngFile(path, kPathUnits));
    TraceLeave(kTag);
}

void I18N_Reload() {
    constexpr const char16_t* kTag = u"I3@I18N_Reload: ";
    TraceEnter(kTag);
    I18N_DeInit();
    I18N_Init();
    TraceLeave(kTag);
}
