#pragma once
// The camera library over the fake WIA service: the described cameras,
// installed as the library's device manager while the test runs; at the end
// every COM object of the fake must have been given back.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/temp_dir.h"
#include "tools/standins/wia_camera/fake_wia_camera_win32.h"
#include "wialib/wia/wialib_win32.h"

class FakeCameraTest : public ::testing::Test {
  protected:
    FakeCameraTest() : liveBefore_(FakeWiaLiveObjects()) {
        AddStandardDevices(wia_);
        SetCurrentFakeWia(&wia_);
        previous_ = SetWiaDeviceManagerSource(CreateFakeWiaDeviceManager);
    }
    ~FakeCameraTest() override {
        if (context_ != nullptr) {
            WiaLib_DestroyContext(&context_);
        }
        SetWiaDeviceManagerSource(previous_);
        SetCurrentFakeWia(nullptr);
        if (checkObjects_) {
            EXPECT_EQ(FakeWiaLiveObjects(), liveBefore_) << "references of the fake not given back";
        }
    }

    // A context with the listing written to a file (read it with Listing()).
    WiaLibContext* Context(int recurse = 1, int listing = 1) {
        listingPath_ = folder_.Path() + u"\\listing.txt";
        EXPECT_EQ(WiaLib_CreateContext(&context_, listing, recurse, listingPath_.c_str()), S_OK);
        return context_;
    }
    // Ends the context, which closes its listing, and returns the text.
    std::string Listing() {
        if (context_ != nullptr) {
            WiaLib_DestroyContext(&context_);
        }
        return ReadText(listingPath_);
    }
    // The file's text with the line ends of a text-mode file as "\n".
    static std::string ReadText(const std::u16string& path) {
        std::ifstream file(std::filesystem::path(path), std::ios::binary);
        std::stringstream bytes;
        bytes << file.rdbuf();
        std::string text = bytes.str();
        std::erase(text, '\r');
        return text;
    }
    // The file's bytes as they are.
    static std::string ReadBytes(const std::u16string& path) {
        std::ifstream file(std::filesystem::path(path), std::ios::binary);
        std::stringstream bytes;
        bytes << file.rdbuf();
        return bytes.str();
    }
    FakeItem& PictureFolder() { return *wia_.devices[0].root->children[0]->children[0]; }

    FakeWia wia_;
    TempDir folder_;
    WiaLibContext* context_ = nullptr;
    std::u16string listingPath_;
    // Off where a test leaves objects behind on purpose (a terminated thread).
    bool checkObjects_ = true;

  private:
    // What a terminated thread of an earlier test may have kept.
    long liveBefore_;
    WiaDeviceManagerSource previous_ = nullptr;
};
