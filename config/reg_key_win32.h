#pragma once
// An open registry key that closes itself. Reads report absence, a wrong
// type and success apart, so that every accessor can fall back to its
// default; strings are read whole and terminated whatever the registry holds.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class RegKey {
  public:
    RegKey() = default;
    RegKey(RegKey&& other) noexcept : key_(other.key_) { other.key_ = nullptr; }
    RegKey& operator=(RegKey&& other) noexcept;
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    ~RegKey();

    // Read access only. Keys under HKEY_LOCAL_MACHINE are read in the 64-bit
    // view, so that the 32-bit builder sees what the installer wrote.
    // The system's error code goes to error when given.
    static RegKey OpenForRead(HKEY root, const char16_t* path, LONG* error = nullptr);
    // Read and write access to an existing key.
    static RegKey OpenForWrite(HKEY root, const char16_t* path);
    // Creates the key when it does not exist yet.
    static RegKey CreateForWrite(HKEY root, const char16_t* path);
    // Deletes a key that has no subkeys, in the view the opens use.
    static bool DeleteKey(HKEY root, const char16_t* path);

    bool IsOpen() const { return key_ != nullptr; }
    HKEY Get() const { return key_; }

    bool HasValue(const char16_t* name) const;
    // Null when absent or not REG_DWORD.
    std::optional<std::uint32_t> ReadDword(const char16_t* name) const;
    std::optional<std::uint64_t> ReadQword(const char16_t* name) const;
    // Null when absent or not REG_SZ. At most maxUnits are kept; trailing
    // terminators stored with the value are dropped.
    std::optional<std::u16string> ReadString(const char16_t* name, std::size_t maxUnits) const;

    bool WriteDword(const char16_t* name, std::uint32_t value) const;
    bool WriteQword(const char16_t* name, std::uint64_t value) const;
    // REG_SZ, stored with its terminator.
    bool WriteString(const char16_t* name, const char16_t* value) const;
    bool DeleteValue(const char16_t* name) const;
    // True also when the value was not there.
    bool RemoveValue(const char16_t* name) const;

    // The direct subkeys' names in the registry's order, taken before the
    // caller changes anything, so that deleting some does not skip others.
    std::vector<std::u16string> SubkeyNames() const;
    struct Counts {
        std::uint32_t subkeys = 0;
        std::uint32_t values = 0;
    };
    std::optional<Counts> QueryCounts() const;
    // Deletes a direct subkey that has no subkeys of its own. An empty name
    // is refused: the registry would take it as this key itself.
    bool DeleteSubkey(const char16_t* name) const;

  private:
    explicit RegKey(HKEY key) : key_(key) {}
    HKEY key_ = nullptr;
};
