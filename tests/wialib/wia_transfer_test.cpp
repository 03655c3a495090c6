#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "state/directory/directory.h"
#include "tests/support/reported_windows_win32.h"
#include "tests/wialib/fake_camera_fixture_win32.h"
#include "wialib/wia/wia_context_win32.h"

namespace {

using ::testing::HasSubstr;

constexpr char16_t kFirst[] = u"0000\\Root\\DCIM\\100ABCDE\\IMG_0001";
constexpr char16_t kBitmap[] = u"0000\\Root\\DCIM\\100ABCDE\\SCREEN01";

struct Handed {
    std::vector<std::uint8_t> bytes;
    std::vector<LONG> statuses;
    LONG answer = 0;
};

LONG Collect(LONG status, LONG, void* userData, const BYTE* data, LONG length, LONG offset,
             const char16_t*) {
    auto* handed = static_cast<Handed*>(userData);
    handed->statuses.push_back(status);
    if (data != nullptr && length > 0) {
        const std::size_t end = static_cast<std::size_t>(offset) + static_cast<std::size_t>(length);
        if (handed->bytes.size() < end) {
            handed->bytes.resize(end);
        }
        std::memcpy(handed->bytes.data() + offset, data, static_cast<std::size_t>(length));
    }
    return handed->answer;
}

std::int32_t Int32At(const std::string& bytes, std::size_t offset) {
    std::int32_t value = 0;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

using WiaTransfer = FakeCameraTest;

TEST_F(WiaTransfer, EveryModeGivesThePicturesBytes) {
    const std::u16string target = folder_.Path() + u"\\picture.jpg";
    for (int mode : {0, 1}) {
        DeleteFileW(reinterpret_cast<const wchar_t*>(target.c_str()));
        EXPECT_EQ(WiaLib_GetFile(Context(), kFakeCameraId, kFirst, nullptr, target.c_str(), nullptr,
                                 nullptr, mode, nullptr),
                  S_OK)
            << mode;
        WiaLib_DestroyContext(&context_);
        EXPECT_EQ(ReadText(target), "first picture") << mode;
    }
    // Band by band to the caller.
    Handed handed;
    wia_.bandSize = 5;
    EXPECT_EQ(WiaLib_GetFile(Context(), kFakeCameraId, kFirst, u"JPG", target.c_str(), Collect,
                             &handed, 3, nullptr),
              S_OK);
    EXPECT_EQ(std::string(handed.bytes.begin(), handed.bytes.end()), "first picture");
}

TEST_F(WiaTransfer, TheTemporaryFileIsGoneAfterTheCopy) {
    wchar_t temporary[MAX_PATH];
    GetTempPathW(MAX_PATH, temporary);
    const std::u16string target = folder_.Path() + u"\\picture.jpg";
    WIN32_FIND_DATAW found{};
    const std::wstring pattern = std::wstring(temporary) + L"wia*.tmp";
    auto count = [&] {
        int files = 0;
        HANDLE search = FindFirstFileW(pattern.c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                ++files;
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        return files;
    };
    const int before = count();
    ASSERT_EQ(WiaLib_GetFile(Context(), kFakeCameraId, kFirst, nullptr, target.c_str(), nullptr,
                             nullptr, 0, nullptr),
              S_OK);
    EXPECT_EQ(count(), before);
    EXPECT_THAT(Listing(), HasSubstr("Transferred filename: "));
}

TEST_F(WiaTransfer, AMemoryBitmapIsWrittenWithAFileHeaderAndTopDownHeight) {
    const std::u16string target = folder_.Path() + u"\\screen.bmp";
    ASSERT_EQ(WiaLib_GetFile(Context(), kFakeCameraId, kBitmap, nullptr, target.c_str(), nullptr,
                             nullptr, 1, nullptr),
              S_OK);
    const std::string bytes = ReadBytes(target);
    ASSERT_EQ(bytes.size(), 14U + 40U + 24U);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(Int32At(bytes, 2), 40 + 24 + 14);
    EXPECT_EQ(Int32At(bytes, 10), 40 + 14);
    EXPECT_EQ(Int32At(bytes, 14 + 8), -2);
}

TEST_F(WiaTransfer, ModeTwoHandsTheAssembledBitmapToTheCallbackAtTheEnd) {
    Handed handed;
    ASSERT_EQ(WiaLib_GetFile(Context(), kFakeCameraId, kBitmap, nullptr, u"unused", Collect,
                             &handed, 2, nullptr),
              S_OK);
    ASSERT_EQ(handed.bytes.size(), 14U + 40U + 24U);
    EXPECT_EQ(handed.bytes[0], 'B');
    EXPECT_EQ(handed.statuses.back(), 4);
}

TEST_F(WiaTransfer, TheCallbackCanStopATransfer) {
    Handed handed;
    handed.answer = 1;
    wia_.bandSize = 4;
    EXPECT_EQ(WiaLib_GetFile(Context(), kFakeCameraId, kFirst, nullptr, u"unused", Collect, &handed,
                             3, nullptr),
              S_FALSE);
    EXPECT_EQ(handed.bytes.size(), 4U);
}

TEST_F(WiaTransfer, BandsPastWhatTheHeaderAnnouncedGrowTheFile) {
    // The header claims 4 bytes; the bands bring all of them.
    const std::u16string target = folder_.Path() + u"\\grown.jpg";
    wia_.bandSize = 3;
    wia_.announcedSize = 4;
    FakeItem& picture = *PictureFolder().children[0];
    picture.data.resize(20, 'x');
    ASSERT_EQ(WiaLib_GetFile(Context(), kFakeCameraId, kFirst, nullptr, target.c_str(), nullptr,
                             nullptr, 1, nullptr),
              S_OK);
    EXPECT_EQ(ReadBytes(target).size(), 20U);
}

TEST_F(WiaTransfer, AnItemThatIsNotThereOrHasAnotherExtensionIsAFailure) {
    const std::u16string target = folder_.Path() + u"\\none.jpg";
    struct Case {
        const char16_t* name;
        const char16_t* extension;
    };
    for (const Case& c :
         {Case{u"0000\\Root\\DCIM\\100ABCDE\\IMG_9999", nullptr}, Case{kFirst, u"PNG"},
          Case{u"0000\\root\\dcim\\100abcde\\img_0001", nullptr}}) {
        EXPECT_EQ(WiaLib_GetFile(Context(), kFakeCameraId, c.name, c.extension, target.c_str(),
                                 nullptr, nullptr, 0, nullptr),
                  E_FAIL);
        WiaLib_DestroyContext(&context_);
    }
    EXPECT_EQ(GetFileAttributesW(reinterpret_cast<const wchar_t*>(target.c_str())),
              INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(WiaLib_GetFile(Context(), kFakeCameraId, nullptr, nullptr, target.c_str(), nullptr,
                             nullptr, 0, nullptr),
              E_INVALIDARG);
}

TEST_F(WiaTransfer, AFolderListsCachedRootServesAsStartItem) {
    CDirectory directory;
    WiaLibContext* context = Context();
    ASSERT_EQ(WiaLib_GetDirlist(context, kFakeCameraId, &directory, 1, 0, nullptr, 0), S_OK);
    const std::u16string target = folder_.Path() + u"\\again.jpg";
    ASSERT_NE(context->cachedRoot.Get(), nullptr);
    EXPECT_EQ(WiaLib_GetFile(context, kFakeCameraId, kFirst, nullptr, target.c_str(), nullptr,
                             nullptr, 0, context->cachedRoot.Get()),
              S_OK);
    EXPECT_EQ(ReadText(target), "first picture");
}

TEST_F(WiaTransfer, APictureWithAttachmentsIsSavedAndDeletedAsASuccess) {
    FakeItem& picture = *PictureFolder().children[0];
    picture.type |= WiaItemTypeHasAttachments;
    picture.AddPicture(u"IMG_0001_VOICE", WiaImgFmt_JPEG, u"WAV", {'n', 'o', 't', 'e'});
    const std::u16string target = folder_.Path() + u"\\picture.jpg";
    EXPECT_EQ(WiaLib_GetFile(Context(), kFakeCameraId, kFirst, nullptr, target.c_str(), nullptr,
                             nullptr, 0, nullptr),
              S_OK);
    WiaLib_DestroyContext(&context_);
    EXPECT_EQ(ReadText(target), "first picture");
    EXPECT_EQ(WiaLib_DeleteFile(Context(), kFakeCameraId, kFirst, nullptr, nullptr), S_OK);
    EXPECT_TRUE(picture.deleted);
}

TEST_F(WiaTransfer, DeletingRemovesThePictureAndRespectsProtection) {
    WiaLibContext* context = Context();
    EXPECT_EQ(WiaLib_DeleteFile(context, kFakeCameraId, kFirst, nullptr, nullptr), S_OK);
    EXPECT_TRUE(PictureFolder().children[0]->deleted);
    EXPECT_EQ(WiaLib_DeleteFile(context, kFakeCameraId, kFirst, nullptr, nullptr), E_FAIL);
    EXPECT_EQ(WiaLib_DeleteFile(context, kFakeCameraId, u"0000\\Root\\DCIM\\100ABCDE\\IMG_0004",
                                nullptr, nullptr),
              E_FAIL);
    EXPECT_FALSE(PictureFolder().children[3]->deleted);
    EXPECT_THAT(Listing(), HasSubstr("Error deleting item: HRESULT: 0x80070005\n"));
}

TEST_F(WiaTransfer, DeletingIsLeftAloneOnVista) {
    if (const auto version = ReportedWindowsVersion()) {
        ASSERT_EQ(*version, u"vista");
        EXPECT_EQ(WiaLib_DeleteFile(Context(), kFakeCameraId, kFirst, nullptr, nullptr), E_NOTIMPL);
        EXPECT_FALSE(PictureFolder().children[0]->deleted);
        EXPECT_EQ(WiaLib_DeleteFile(nullptr, nullptr, nullptr, nullptr, nullptr), E_NOTIMPL);
        return;
    }
    EXPECT_EQ(RunCurrentTestAs(u"vista"), std::optional<DWORD>(0));
}

}  // namespace
