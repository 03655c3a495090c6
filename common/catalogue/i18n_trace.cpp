#include "common/catalogue/i18n_trace.h"

#include "diag/trace/trace.h"
#include "wialib/names/result_name.h"

// The name lookup is skipped while tracing is off: accessors run often.
void TraceReturnText(const char16_t* tag, const char16_t* text) {
    if (!TraceIsOn()) {
        return;
    }
    const auto rc = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(text));
    TraceReturn(tag, rc, ResultName(rc));
}

void TraceReturnCount(const char16_t* tag, int count) {
    if (!TraceIsOn()) {
        return;
    }
    const auto rc = static_cast<std::uint32_t>(count);
    TraceReturn(tag, rc, ResultName(rc));
}
