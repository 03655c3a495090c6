#pragma once
// A value under HKEY_LOCAL_MACHINE set for a test and put back at the end.
#include <optional>
#include <string>

class MachineValue {
  public:
    MachineValue(const char16_t* key, const char16_t* name);
    ~MachineValue();
    MachineValue(const MachineValue&) = delete;
    MachineValue& operator=(const MachineValue&) = delete;

    // Writes the value; null removes it.
    bool Set(const char16_t* value) const;

  private:
    const char16_t* key_;
    const char16_t* name_;
    std::optional<std::u16string> saved_;
};
