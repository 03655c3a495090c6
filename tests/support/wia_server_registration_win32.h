#pragma once
// The WIA device manager served by the local-server stand-in instead of
// Wine's service, for as long as the object lives: the class gets the
// stand-in as its LocalServer32 and loses the AppID's LocalService, which
// COM would start first. Both return as they were at the end, which waits
// for the stand-in to end.
#include <optional>
#include <string>

class WiaServerRegistration {
  public:
    WiaServerRegistration();
    ~WiaServerRegistration();
    WiaServerRegistration(const WiaServerRegistration&) = delete;
    WiaServerRegistration& operator=(const WiaServerRegistration&) = delete;

    // Both keys were written.
    bool Registered() const { return registered_; }

  private:
    std::optional<std::u16string> savedServer_;
    std::optional<std::u16string> savedService_;
    bool registered_ = false;
};
