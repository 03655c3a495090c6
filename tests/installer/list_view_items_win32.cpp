#include "tests/installer/list_view_items_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cstddef>

#include "common/win32/ownership_win32.h"
#include "common/win32/wide_win32.h"

namespace {

// What the list view writes into, in its own process: the record, then the
// buffer the record points to.
constexpr std::size_t kTextUnits = 260;
constexpr std::size_t kTextOffset = sizeof(LVITEMW);
constexpr std::size_t kLentBytes = kTextOffset + kTextUnits * sizeof(wchar_t);

// A block committed in another process, freed there at the end.
class LentMemory {
  public:
    explicit LentMemory(HANDLE process)
        : process_(process),
          address_(static_cast<char*>(VirtualAllocEx(process, nullptr, kLentBytes,
                                                     MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE))) {}
    ~LentMemory() {
        if (address_ != nullptr) {
            VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        }
    }
    LentMemory(const LentMemory&) = delete;
    LentMemory& operator=(const LentMemory&) = delete;

    bool IsValid() const { return address_ != nullptr; }
    // Addresses in the other process, never dereferenced here.
    void* Item() const { return address_; }
    wchar_t* Text() const { return reinterpret_cast<wchar_t*>(address_ + kTextOffset); }

  private:
    HANDLE process_;
    char* address_;
};

}  // namespace

std::vector<std::u16string> ListViewItemTexts(HWND listView) {
    std::vector<std::u16string> texts;
    DWORD processId = 0;
    GetWindowThreadProcessId(listView, &processId);
    const UniqueHandle process(
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
    if (!process.IsValid()) {
        return texts;
    }
    const LentMemory lent(process.Get());
    if (!lent.IsValid()) {
        return texts;
    }
    const auto count = static_cast<int>(SendMessageW(listView, LVM_GETITEMCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
        LVITEMW item{};
        item.pszText = lent.Text();
        item.cchTextMax = static_cast<int>(kTextUnits);
        if (!WriteProcessMemory(process.Get(), lent.Item(), &item, sizeof item, nullptr)) {
            return texts;
        }
        const auto length = static_cast<std::size_t>(
            SendMessageW(listView, LVM_GETITEMTEXTW, index, reinterpret_cast<LPARAM>(lent.Item())));
        std::array<wchar_t, kTextUnits> text{};
        if (!ReadProcessMemory(process.Get(), lent.Text(), text.data(), sizeof text, nullptr)) {
            return texts;
        }
        texts.emplace_back(AsU16(text.data()), std::min(length, kTextUnits - 1));
    }
    return texts;
}
