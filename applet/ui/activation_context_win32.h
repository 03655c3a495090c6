#pragma once
// The applet's own activation context (its manifest, resource 2), so that its
// windows get the common controls it was built for whatever the host uses.
#include <windows.h>

class ActivationContext {
  public:
    ActivationContext() = default;
    ~ActivationContext();
    ActivationContext(const ActivationContext&) = delete;
    ActivationContext& operator=(const ActivationContext&) = delete;

    // Creates the context from module's manifest; false leaves it empty, and
    // scopes then activate nothing.
    bool Create(HMODULE module, int manifestId);

    // Active for the scope's lifetime.
    class Scope {
      public:
        explicit Scope(const ActivationContext& context);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

      private:
        ULONG_PTR cookie_ = 0;
        bool active_ = false;
    };

  private:
    HANDLE context_ = INVALID_HANDLE_VALUE;
};
