#pragma once
// The applet's dialog opened through CPlApplet while a driver thread works
// its pages by messages, with an installation and a cache root of the test's
// own; and the small readers the page tests share.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "tests/applet/applet_library.h"
#include "tests/support/registry_sandbox_win32.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_installation_win32.h"

std::u16string WindowText(HWND window);
std::u16string ItemText(HWND dialog, int id);
bool ItemEnabled(HWND dialog, int id);
// A button click as the dialog manager reports it, sent (handled at once).
void ClickItem(HWND dialog, int id);
// The first descendant of parent with the window class, null when none.
HWND FindDescendant(HWND parent, const wchar_t* className);

class AppletPageTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    // Opens the dialog on start page (1-3) and runs drive on a thread of its
    // own; a dialog drive leaves open is cancelled.
    void OpenDialog(const wchar_t* startPage, const std::function<void(HWND dialog)>& drive);

    RegistrySandbox registry_;
    TestInstallation installation_{registry_};
    TempDir root_;
    AppletLibrary applet_;
};

// A value under HKEY_LOCAL_MACHINE set for a test and put back at the end.
class MachineValue {
  public:
    MachineValue(const char16_t* key, const char16_t* name);
    ~MachineValue();
    MachineValue(const MachineValue&) = delete;
    MachineValue& operator=(const MachineValue&) = delete;

    bool Set(const char16_t* value) const;

  private:
    const char16_t* key_;
    const char16_t* name_;
    std::optional<std::u16string> saved_;
};
