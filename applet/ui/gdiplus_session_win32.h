#pragma once
// GDI+ started for the owner's lifetime: shut down once, by the destructor,
// on every path out of the owner's scope.
#include <windows.h>

class GdiplusSession {
  public:
    GdiplusSession();
    ~GdiplusSession();
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;

    // False when GDI+ refused to start: pictures then stay empty.
    bool IsStarted() const { return token_ != 0; }

  private:
    ULONG_PTR token_ = 0;
};
