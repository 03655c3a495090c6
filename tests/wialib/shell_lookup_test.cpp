#include "wialib/shell/shell_lookup_win32.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/trace_capture.h"
#include "tests/support/u16.h"
#include "tests/wialib/fake_shell_win32.h"

namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr char16_t kDeviceKey[] = u"\\\\?\\usb#vid_04a9&pid_3218#5&1a2b#{6ac27878-a6fa-4155}";
constexpr SFGAOF kFolder = SFGAO_FOLDER;
// Names the shell gives are kept to 259 units.
const std::string kLongEntry = "\\Internal\\MISC\\" + std::string(259, 'x');
constexpr SFGAOF kRemovableFolder = SFGAO_FOLDER | SFGAO_REMOVABLE;

std::u16string ObjectId(const char16_t* digits) {
    return u"{000000" + std::u16string(digits) + u"-0000-0000-0000-000000000000}";
}

struct Call {
    int kind;
    std::vector<std::string> items;
    bool allObjects;
    DWORD thread;
};

void Record(IDataObject* data, IContextMenu* menu, IShellExtInit* init, void* userData, int kind) {
    std::vector<std::string> items;
    const std::vector<const FakeShellNode*> nodes = NodesOf(data);
    items.reserve(nodes.size());
    for (const FakeShellNode* node : nodes) {
        items.push_back(Narrow(node->display));
    }
    static_cast<std::vector<Call>*>(userData)->push_back(
        {kind, items, data != nullptr && menu != nullptr && init != nullptr, GetCurrentThreadId()});
}

// desktop → Computer → (fixed disk, a removable disk, the camera) → storages
// "Card" (DCF) and "Internal" → DCIM → 100ABCDE → pictures.
class ShellLookup : public ::testing::TestWithParam<bool> {
  protected:
    ShellLookup() {
        FakeShellNode& desktop = shell_.Desktop();
        desktop.Add(u"Recycle Bin", u"::{645FF040-5081-101B-9F08-00AA002F954E}", kFolder);
        FakeShellNode& computer = desktop.Add(u"Computer", kComputerParsing, kFolder);
        desktop.Add(u"Network", u"::{F02C1A0D-BE21-4350-88B0-7367FC96EF3C}", kFolder);
        computer.Add(u"Local Disk (C:)", u"C:\\", kFolder).Add(u"Windows", u"C:\\Windows", kFolder);
        removable_ = &computer.Add(u"Removable Disk (E:)", u"E:\\", kRemovableFolder);
        removable_->Add(u"notes.txt", u"E:\\notes.txt", 0);
        device_ = &computer.Add(u"Camera", kDeviceKey, kRemovableFolder);
        FakeShellNode& card = device_->Add(u"Card", u"SID-{10001,,7424}", kFolder);
        card.column1 = u"DCF";
        card.column2 = u"7,45 GB";
        FakeShellNode& dcim = card.Add(u"DCIM", ObjectId(u"10"), kFolder);
        FakeShellNode& pictures = dcim.Add(u"100ABCDE", ObjectId(u"11"), kFolder);
        pictures.Add(u"IMG_0001.JPG", ObjectId(u"1F"), 0);
        pictures.Add(u"IMG_0002.JPG", ObjectId(u"20"), 0).ansiNames = true;
        pictures.Add(u"unreadable", ObjectId(u"21"), 0).unreadable = true;
        FakeShellNode& internal = device_->Add(u"Internal", u"SID-{20001,,100}", kFolder);
        internal.column1 = u"Other";
        internal.column2 = u"10 MB";
        internal.Add(u"MISC", ObjectId(u"30"), kFolder)
            .Add(std::u16string(300, u'x'), std::u16string(300, u'y'), 0);
        after_ = &computer.Add(u"Phone", u"\\\\?\\usb#vid_0bb4", kRemovableFolder);
        after_->Add(u"Phone storage", u"SID-{30001,,200}", kFolder);
    }
    ~ShellLookup() override { EXPECT_EQ(FakeShell::LiveObjects(), 0); }

    HRESULT Lookup(const char16_t* itemName, ShellItemNames itemNames, bool lists, int depth,
                   bool sizes) {
        return GetIShellObjectsForDevice(GetParam(), kDeviceKey, itemName, 1, Record, &calls_,
                                         itemNames, lists ? &names_ : nullptr,
                                         lists ? &parsingNames_ : nullptr, depth,
                                         sizes ? &sizes_ : nullptr);
    }

    // The caller's function runs on the worker's thread when asked for one.
    void ExpectCallThread() const {
        for (const Call& call : calls_) {
            EXPECT_EQ(call.thread != GetCurrentThreadId(), GetParam());
        }
    }

    FakeShell shell_;
    FakeShellNode* removable_ = nullptr;
    FakeShellNode* device_ = nullptr;
    FakeShellNode* after_ = nullptr;  // a removable item after the device
    std::vector<Call> calls_;
    std::vector<std::u16string> names_;
    std::vector<std::u16string> parsingNames_;
    std::vector<std::u16string> sizes_;
};

std::vector<std::string> Narrowed(const std::vector<std::u16string>& texts) {
    std::vector<std::string> out;
    out.reserve(texts.size());
    for (const std::u16string& text : texts) {
        out.push_back(Narrow(text));
    }
    return out;
}

TEST_P(ShellLookup, ListsTheDeviceSubtreeWithNamesStartingAtTheDevice) {
    EXPECT_TRUE(SUCCEEDED(Lookup(nullptr, {}, true, -1, false)));
    EXPECT_THAT(Narrowed(names_), ElementsAre("\\Card", "\\Card\\DCIM", "\\Card\\DCIM\\100ABCDE",
                                              "\\Card\\DCIM\\100ABCDE\\IMG_0001.JPG",
                                              "\\Card\\DCIM\\100ABCDE\\IMG_0002.JPG", "\\Internal",
                                              "\\Internal\\MISC", kLongEntry));
    EXPECT_THAT(Narrowed(parsingNames_),
                ElementsAre("SID-{10001,,7424}", Narrow(ObjectId(u"10")), Narrow(ObjectId(u"11")),
                            Narrow(ObjectId(u"1F")), Narrow(ObjectId(u"20")), "SID-{20001,,100}",
                            Narrow(ObjectId(u"30")), std::string(259, 'y')));
    ASSERT_EQ(calls_.size(), 1U);
    EXPECT_EQ(calls_[0].kind, kShellObjectsOfDevice);
    EXPECT_THAT(calls_[0].items, ElementsAre("Camera"));
    EXPECT_TRUE(calls_[0].allObjects);
    ExpectCallThread();
    // Only the Computer folder is entered on the way; nothing after the device.
    EXPECT_EQ(removable_->enumerations, 0);
    EXPECT_EQ(shell_.Desktop().children[0]->enumerations, 0);
    EXPECT_EQ(after_->enumerations, 0);
}

TEST_P(ShellLookup, WithASizeListOnlyDcfStoragesAreListedEachWithItsSize) {
    EXPECT_TRUE(SUCCEEDED(Lookup(nullptr, {}, true, -1, true)));
    EXPECT_THAT(Narrowed(names_), ElementsAre("\\Card", "\\Card\\DCIM", "\\Card\\DCIM\\100ABCDE",
                                              "\\Card\\DCIM\\100ABCDE\\IMG_0001.JPG",
                                              "\\Card\\DCIM\\100ABCDE\\IMG_0002.JPG",
                                              "\\Internal\\MISC", kLongEntry));
    EXPECT_THAT(Narrowed(sizes_), ElementsAre("7,45 GB"));
}

TEST_P(ShellLookup, DepthLimitStopsTheListing) {
    EXPECT_TRUE(SUCCEEDED(Lookup(nullptr, {}, true, 4, false)));
    EXPECT_THAT(Narrowed(names_),
                ElementsAre("\\Card", "\\Card\\DCIM", "\\Internal", "\\Internal\\MISC"));
}

TEST_P(ShellLookup, OnlyTheDeviceWantedStopsAtTheComputerFoldersChildren) {
    TraceCapture trace;
    EXPECT_TRUE(SUCCEEDED(Lookup(nullptr, {}, false, -1, false)));
    ASSERT_EQ(calls_.size(), 1U);
    EXPECT_EQ(calls_[0].kind, kShellObjectsOfDevice);
    EXPECT_EQ(device_->enumerations, 0);
    EXPECT_THAT(trace.Texts(), Contains("F1@_EnumIShellFolder: Found the device \"" +
                                        Narrow(kDeviceKey) + "\" as \"Camera\""));
    ExpectCallThread();
}

TEST_P(ShellLookup, AnObjectIdItemNameIsFoundInItsBracedForm) {
    EXPECT_TRUE(SUCCEEDED(Lookup(u"o1F", {}, false, -1, false)));
    ASSERT_EQ(calls_.size(), 2U);
    EXPECT_EQ(calls_[1].kind, kShellObjectsOfItems);
    EXPECT_THAT(calls_[1].items, ElementsAre("IMG_0001.JPG"));
    EXPECT_TRUE(calls_[1].allObjects);
    ExpectCallThread();
}

TEST_P(ShellLookup, ItemNamesOfUnknownFormAreRefusedBeforeAnyVisit) {
    for (const char16_t* name : {u"x12", u"o123456789"}) {
        EXPECT_EQ(Lookup(name, {}, true, -1, false), E_INVALIDARG) << Narrow(name);
    }
    EXPECT_EQ(shell_.Desktop().enumerations, 0);
    EXPECT_THAT(calls_, IsEmpty());
}

TEST_P(ShellLookup, ItemNamesAreRewrittenFoundAndHandedOverTogether) {
    std::vector<std::optional<std::u16string>> itemNames = {u"o1F", std::nullopt, ObjectId(u"20"),
                                                            u"{not-there}", u"o99"};
    EXPECT_TRUE(SUCCEEDED(Lookup(nullptr, itemNames, false, -1, false)));
    EXPECT_FALSE(itemNames[0].has_value());
    EXPECT_FALSE(itemNames[2].has_value());
    EXPECT_EQ(itemNames[3], std::u16string(u"{not-there}"));
    EXPECT_EQ(itemNames[4], ObjectId(u"99"));
    ASSERT_EQ(calls_.size(), 2U);
    EXPECT_EQ(calls_[1].kind, kShellObjectsOfItems);
    EXPECT_THAT(calls_[1].items, ElementsAre("IMG_0001.JPG", "IMG_0002.JPG"));
}

TEST_P(ShellLookup, AnAbsentDeviceIsNotReported) {
    const HRESULT hr = GetIShellObjectsForDevice(GetParam(), u"devid:none", nullptr, 0, Record,
                                                 &calls_, {}, &names_, &parsingNames_, -1, nullptr);
    EXPECT_TRUE(SUCCEEDED(hr));
    EXPECT_THAT(calls_, IsEmpty());
    EXPECT_THAT(names_, IsEmpty());
    EXPECT_EQ(device_->enumerations, 0);
}

INSTANTIATE_TEST_SUITE_P(CallersAndWorkerThread, ShellLookup, ::testing::Bool());

HRESULT NoDesktop(IShellFolder** folder) {
    *folder = nullptr;
    return E_OUTOFMEMORY;
}

TEST(ShellLookupDesktop, AMissingDesktopFolderIsTheResult) {
    SetDesktopFolderSource(NoDesktop);
    std::vector<Call> calls;
    EXPECT_EQ(GetIShellObjectsForDevice(true, kDeviceKey, nullptr, 0, Record, &calls, {}, nullptr,
                                        nullptr, -1, nullptr),
              E_OUTOFMEMORY);
    SetDesktopFolderSource(nullptr);
    EXPECT_THAT(calls, IsEmpty());
}

// New handles take the lowest free slots: a handle left open by a lookup
// pushes the highest of a run of new ones up.
HANDLE HighestOfNewHandles() {
    std::vector<HANDLE> probes(64);
    for (HANDLE& probe : probes) {
        probe = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    }
    HANDLE highest = nullptr;
    for (const HANDLE probe : probes) {
        highest = std::max(highest, probe);
        CloseHandle(probe);
    }
    return highest;
}

TEST(ShellLookupDesktop, TheRealShellHasNoSuchDeviceAndLeavesNoHandleBehind) {
    std::vector<Call> calls;
    std::vector<std::u16string> names;
    std::vector<std::u16string> parsingNames;
    const auto lookUp = [&](bool onThread) {
        return GetIShellObjectsForDevice(onThread, kDeviceKey, nullptr, 0, Record, &calls, {},
                                         &names, &parsingNames, -1, nullptr);
    };
    // The first walk loads what the shell keeps for the process.
    EXPECT_TRUE(SUCCEEDED(lookUp(false)));
    const HANDLE before = HighestOfNewHandles();
    for (const bool onThread : {false, true, false, true}) {
        const HRESULT hr = lookUp(onThread);
        EXPECT_TRUE(SUCCEEDED(hr)) << std::hex << hr;
    }
    EXPECT_EQ(HighestOfNewHandles(), before);
    EXPECT_THAT(calls, IsEmpty());
    EXPECT_THAT(names, IsEmpty());
}

}  // namespace
