#pragma once
// A shell namespace of our own behind the real IShellFolder2, IEnumIDList
// and UI object interfaces, with item id lists that point at its nodes. It
// counts its live COM objects, so that a test can see every reference
// given back.
#include <shlobj.h>
#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

struct FakeShellNode {
    std::u16string display;
    std::u16string parsing;
    SFGAOF attributes = 0;
    std::optional<std::u16string> column1;
    std::optional<std::u16string> column2;
    bool ansiNames = false;   // names answered as ANSI text
    bool unreadable = false;  // names cannot be read
    std::vector<std::unique_ptr<FakeShellNode>> children;
    int enumerations = 0;  // of this node's children

    FakeShellNode& Add(std::u16string childDisplay, std::u16string childParsing,
                       SFGAOF childAttributes);
};

// The nodes a UI object stands for; the lookup's caller gets it as its data
// object, context menu and extension initialiser.
std::vector<const FakeShellNode*> NodesOf(IUnknown* uiObject);

// Installed as the lookup's desktop folder while it lives.
class FakeShell {
  public:
    FakeShell();
    ~FakeShell();
    FakeShell(const FakeShell&) = delete;
    FakeShell& operator=(const FakeShell&) = delete;

    FakeShellNode& Desktop() { return desktop_; }
    // COM objects of the fake not yet destroyed.
    static long LiveObjects();

  private:
    FakeShellNode desktop_;
};

inline constexpr char16_t kComputerParsing[] = u"::{20d04fe0-3aea-1069-a2d8-08002b30309d}";
