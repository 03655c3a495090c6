// Walking subkeys of Wine's real registry.
#include "diag/housekeeping/registry_enum_win32.h"

#include <gtest/gtest.h>

#include <string>

#include "config/mapper_contract.h"
#include "config/reg_key_win32.h"
#include "tests/support/registry_sandbox_win32.h"
#include "tests/support/u16.h"

namespace {

// Handlers as the still-image service lists them, below the sandbox.
constexpr char16_t kHandlers[] = u"SOFTWARE\\Camfolio\\Handlers";
constexpr char16_t kRegistered[] = u"SOFTWARE\\Camfolio\\Registered";

std::u16string Handler(const char16_t* name) {
    return std::u16string(kHandlers) + u"\\" + name;
}

void AddHandler(const char16_t* name, const char16_t* cmdline) {
    const RegKey key = RegKey::CreateForWrite(HKEY_CURRENT_USER, Handler(name).c_str());
    ASSERT_TRUE(key.IsOpen());
    if (cmdline != nullptr) {
        ASSERT_TRUE(key.WriteString(u"Cmdline", cmdline));
    }
}

// Two of ours next to each other, so that deleting the first shifts the second.
void AddHandlers(RegistrySandbox& sandbox) {
    AddHandler(u"{A}", u"\"C:\\Program Files\\Camfolio\\CAMFOLIO.EXE\" /StiDevice:%1");
    AddHandler(u"{B}", u"c:\\camfolio\\camfolio.exe /x");
    AddHandler(u"{C}", u"C:\\Windows\\explorer.exe");
    AddHandler(u"{D}", u"");
    AddHandler(u"{E}", nullptr);
    const std::uint32_t number = 1;
    RegistrySandbox::WriteRaw(RegKey::OpenForWrite(HKEY_CURRENT_USER, Handler(u"{E}").c_str()),
                              u"Cmdline", REG_DWORD, &number, 4);
    const RegKey registered = sandbox.Settings(u"Registered");
    registered.WriteString(u"{A}", u"x");
    registered.WriteString(u"{C}", u"x");
}

TEST(EnumRegistry, CountsSubkeysWhoseValueContainsTheTextInAnyCase) {
    RegistrySandbox sandbox;
    AddHandlers(sandbox);
    struct Case {
        const char* what;
        const char16_t* valueName;
        const char16_t* match;
        int expected;
        const char* lastName;
    };
    const Case cases[] = {
        {"match in other case", u"Cmdline", u"Camfolio.exe", 2, "{B}"},
        {"no match text: every non-empty string", u"Cmdline", nullptr, 3, "{C}"},
        {"no value name: every subkey", nullptr, nullptr, 5, "{E}"},
        {"no such value", u"Missing", nullptr, 0, ""},
    };
    for (const Case& c : cases) {
        char16_t name[40] = u"";
        EXPECT_EQ(EnumRegistry(HKEY_CURRENT_USER, kHandlers, u"", c.valueName, c.match, kEnumCount,
                               nullptr, name, 40, nullptr),
                  c.expected)
            << c.what;
        EXPECT_EQ(Narrow(name), c.lastName) << c.what;
    }
    EXPECT_EQ(EnumRegistry(HKEY_CURRENT_USER, u"SOFTWARE\\Camfolio\\Missing", u"", nullptr, nullptr,
                           kEnumCount, nullptr, nullptr, 0, nullptr),
              0);
}

TEST(EnumRegistry, DeletesEveryMatchingSubkeyAndItsRegistration) {
    RegistrySandbox sandbox;
    AddHandlers(sandbox);
    EXPECT_EQ(EnumRegistry(HKEY_CURRENT_USER, kHandlers, u"", u"Cmdline", u"camfolio.exe",
                           kEnumDeleteKey, kRegistered, nullptr, 0, nullptr),
              2);
    const RegKey handlers = RegKey::OpenForRead(HKEY_CURRENT_USER, kHandlers);
    EXPECT_EQ(handlers.SubkeyNames(), (std::vector<std::u16string>{u"{C}", u"{D}", u"{E}"}));
    const RegKey registered = sandbox.Settings(u"Registered");
    EXPECT_FALSE(registered.HasValue(u"{A}"));
    EXPECT_TRUE(registered.HasValue(u"{C}"));
}

TEST(EnumRegistry, ChangesOrDeletesTheValueBelowTheSuffix) {
    RegistrySandbox sandbox;
    for (const char16_t* name : {u"{A}", u"{B}"}) {
        const RegKey device =
            RegKey::CreateForWrite(HKEY_CURRENT_USER, (Handler(name) + u"\\Events").c_str());
        device.WriteString(u"Cmdline", name == std::u16string(u"{A}") ? u"Camfolio.exe" : u"x");
    }
    EXPECT_EQ(EnumRegistry(HKEY_CURRENT_USER, kHandlers, u"\\Events", u"Cmdline", u"camfolio",
                           kEnumSetValue, nullptr, nullptr, 0, u"Camfolio.exe /new"),
              1);
    const auto events = [](const char16_t* name) {
        return RegKey::OpenForRead(HKEY_CURRENT_USER, (Handler(name) + u"\\Events").c_str());
    };
    EXPECT_EQ(events(u"{A}").ReadString(u"Cmdline", 100), u"Camfolio.exe /new");
    EXPECT_EQ(events(u"{B}").ReadString(u"Cmdline", 100), u"x");

    EXPECT_EQ(EnumRegistry(HKEY_CURRENT_USER, kHandlers, u"\\Events", u"Cmdline", nullptr,
                           kEnumDeleteValue, nullptr, nullptr, 0, nullptr),
              2);
    EXPECT_FALSE(events(u"{A}").HasValue(u"Cmdline"));
    EXPECT_FALSE(events(u"{B}").HasValue(u"Cmdline"));
}

}  // namespace
