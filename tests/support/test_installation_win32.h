#pragma once
// An installation folder (with a blank in its name) registered as the
// product's, filled from the build tree's stand-ins; removed at the end.
#include <windows.h>

#include <string>

#include "tests/support/registry_sandbox_win32.h"

// A folder of the build tree, e.g. u"standins\\mapper".
std::u16string BuildTreeFolder(const char16_t* relative);

// The build tree's folder of CamfolioFmt.exe as it ships: the i686 program
// wherever Wine runs 32-bit programs, also for a 64-bit tree.
inline constexpr char16_t kShippedBuilderFolder[] = u"shipped";
inline constexpr bool kShippedBuilderIs32Bit = CAMFOLIO_SHIPPED_BUILDER_BITS == 32;
// Whether a process of this 64-bit system runs as a 32-bit program (WoW64).
bool Is32BitProcess(HANDLE process);

class TestInstallation {
  public:
    explicit TestInstallation(RegistrySandbox& registry);
    ~TestInstallation();
    TestInstallation(const TestInstallation&) = delete;
    TestInstallation& operator=(const TestInstallation&) = delete;

    const std::u16string& Folder() const { return folder_; }
    // Copies a build-tree file into the installation folder.
    bool Install(const char16_t* from, const char16_t* name, const char16_t* as = nullptr);
    // The files of a consistent installation; the mapper stand-in carries
    // the product version and so also serves as the applet's file.
    bool InstallConsistent(const char16_t* dokanVariant = u"standins\\dokan-expected");

  private:
    std::u16string folder_;
};
