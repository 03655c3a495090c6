#include "applet/ui/gdiplus_session_win32.h"

#include <objidl.h>

#include <gdiplus.h>

GdiplusSession::GdiplusSession() {
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&token_, &input, nullptr) != Gdiplus::Ok) {
        token_ = 0;
    }
}

GdiplusSession::~GdiplusSession() {
    if (token_ != 0) {
        Gdiplus::GdiplusShutdown(token_);
    }
}
