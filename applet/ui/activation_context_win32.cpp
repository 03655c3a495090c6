#include "applet/ui/activation_context_win32.h"

ActivationContext::~ActivationContext() {
    if (context_ != INVALID_HANDLE_VALUE) {
        ReleaseActCtx(context_);
    }
}

bool ActivationContext::Create(HMODULE module, int manifestId) {
    if (context_ != INVALID_HANDLE_VALUE) {
        ReleaseActCtx(context_);
    }
    ACTCTXW description{};
    description.cbSize = sizeof description;
    description.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    description.hModule = module;
    description.lpResourceName = MAKEINTRESOURCEW(manifestId);
    context_ = CreateActCtxW(&description);
    return context_ != INVALID_HANDLE_VALUE;
}

ActivationContext::Scope::Scope(const ActivationContext& context) {
    if (context.context_ != INVALID_HANDLE_VALUE) {
        active_ = ActivateActCtx(context.context_, &cookie_) != FALSE;
    }
}

ActivationContext::Scope::~Scope() {
    if (active_) {
        DeactivateActCtx(0, cookie_);
    }
}
