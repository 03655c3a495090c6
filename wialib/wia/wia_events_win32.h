#pragma once
// Giving back a context's event handler: its registrations, the handler
// and the caller's function; 0 (E_FAIL without a context).
#include "wialib/wia/wia_context_win32.h"

HRESULT EventCleanup(WiaLibContext* context);
