#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "diag/trace/trace.h"
#include "tests/support/trace_capture.h"
#include "tests/wialib/fake_camera_fixture_win32.h"
#include "wialib/wia/wia_context_win32.h"
#include "wialib/wia/wia_event_callback_win32.h"

namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

constexpr char16_t kProgram[] = u"C:\\Program Files\\Camfolio\\Camfolio.exe";

struct Heard {
    std::vector<int> codes;
    std::vector<std::u16string> items;
};

HRESULT Listen(const GUID*, BSTR, BSTR, BSTR, DWORD, BSTR item, ULONG*, ULONG, int code,
               void* userData) {
    auto* heard = static_cast<Heard*>(userData);
    heard->codes.push_back(code);
    heard->items.emplace_back(item != nullptr ? reinterpret_cast<const char16_t*>(item) : u"");
    return S_OK;
}

using WiaRegistration = FakeCameraTest;

TEST_F(WiaRegistration, FlagsFollowTheRequest) {
    struct Case {
        const char* name;
        int registerFlag;
        int defaultHandler;
        const char16_t* deviceId;
        std::vector<LONG> flags;
    };
    const std::vector<Case> cases{
        {"all devices", 1, 0, nullptr, {1}},
        {"default handler needs a device", 1, 1, nullptr, {1}},
        {"default handler for a device, twice", 1, 1, kFakeCameraId, {4, 4}},
        {"removal", 0, 1, kFakeCameraId, {2}},
        {"removal for all", 0, 0, nullptr, {2}},
    };
    for (const Case& c : cases) {
        wia_.programRegistrations.clear();
        EXPECT_EQ(WiaLib_RegisterDeregisterProgram(
                      1, kProgram, u"Map this camera to a drive letter", u"Camfolio", 0, 1,
                      c.registerFlag, 1, c.defaultHandler, c.deviceId, 10000),
                  S_OK)
            << c.name;
        std::vector<LONG> flags;
        for (const FakeProgramRegistration& registration : wia_.programRegistrations) {
            flags.push_back(registration.flags);
            EXPECT_TRUE(IsEqualGUID(registration.event, WIA_EVENT_DEVICE_CONNECTED)) << c.name;
            EXPECT_EQ(registration.deviceId, c.deviceId != nullptr ? c.deviceId : u"") << c.name;
        }
        EXPECT_EQ(flags, c.flags) << c.name;
    }
    const FakeProgramRegistration& last = wia_.programRegistrations.back();
    EXPECT_EQ(last.commandLine, kProgram);
    EXPECT_EQ(last.icon, std::u16string(kProgram) + u",0");
    EXPECT_EQ(last.name, u"Camfolio");
    EXPECT_EQ(last.description, u"Map this camera to a drive letter");
}

TEST_F(WiaRegistration, TheServicesAnswerIsReturnedDirectlyOrFromTheThread) {
    wia_.programRegistrationResult = HRESULT_FROM_WIN32(ERROR_SERVICE_DISABLED);
    for (int thread : {0, 1}) {
        EXPECT_EQ(WiaLib_RegisterDeregisterProgram(thread, kProgram, u"d", u"n", 3, 0, 1, 0, 0,
                                                   nullptr, 0),
                  static_cast<HRESULT>(0x80070422))
            << thread;
    }
    EXPECT_EQ(wia_.programRegistrations.back().icon, std::u16string(kProgram) + u",3");
}

TEST_F(WiaRegistration, AnOverLongCommandLineIsCutInTheIconText) {
    const std::u16string longProgram(400, u'p');
    ASSERT_EQ(WiaLib_RegisterDeregisterProgram(0, longProgram.c_str(), u"d", u"n", 12, 0, 1, 0, 0,
                                               nullptr, 0),
              S_OK);
    EXPECT_EQ(wia_.programRegistrations.back().icon, std::u16string(259, u'p') + u",12");
    EXPECT_EQ(wia_.programRegistrations.back().commandLine, longProgram);
}

TEST_F(WiaRegistration, AHangingRegistrationIsEndedAtTheTimeOutAndTheTraceGoesOn) {
    // The terminated thread keeps what it held of the fake.
    checkObjects_ = false;
    TraceCapture trace;
    wia_.hangProgramRegistration = true;
    const auto start = std::chrono::steady_clock::now();
    const HRESULT hr =
        WiaLib_RegisterDeregisterProgram(1, kProgram, u"d", u"n", 0, 1, 1, 1, 0, nullptr, 1000);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_TRUE(FAILED(hr));
    EXPECT_EQ(static_cast<DWORD>(hr), 0xDEAD0104U);
    EXPECT_LT(waited, std::chrono::seconds(8));
    TracePrint(u"T1@Test: ", u"after the registration");
    const std::vector<std::string> texts = trace.Texts();
    EXPECT_THAT(texts, Contains(HasSubstr("Forced")));
    EXPECT_THAT(texts, Contains(HasSubstr("after the registration")));
}

using WiaEventHandler = FakeCameraTest;

TEST_F(WiaEventHandler, RegistersForTheFourEventsAndHandsOnTheirCodes) {
    Heard heard;
    WiaLibContext* context = Context();
    ASSERT_EQ(WiaLib_RegisterEventHandler(context, Listen, &heard), S_OK);
    EXPECT_EQ(wia_.activeInterfaceRegistrations(), 4);
    EXPECT_EQ(WiaLib_RegisterEventHandler(context, Listen, nullptr), E_INVALIDARG);
    EXPECT_EQ(context->eventUserData, &heard);

    wia_.FireEvent(WIA_EVENT_DEVICE_CONNECTED, kFakeCameraId, u"");
    wia_.FireEvent(WIA_EVENT_DEVICE_DISCONNECTED, kFakeCameraId, u"");
    wia_.FireEvent(WIA_EVENT_ITEM_CREATED, kFakeCameraId, u"0000\\Root\\NEW");
    wia_.FireEvent(WIA_EVENT_ITEM_DELETED, kFakeCameraId, u"0000\\Root\\OLD");
    EXPECT_THAT(heard.codes, ElementsAre(1, 2, 3, 4));
    EXPECT_EQ(heard.items[2], u"0000\\Root\\NEW");

    EXPECT_EQ(WiaLib_DeRegisterEventHandler(context), S_OK);
    EXPECT_EQ(wia_.activeInterfaceRegistrations(), 0);
    EXPECT_EQ(WiaLib_DeRegisterEventHandler(context), S_FALSE);
    EXPECT_EQ(WiaLib_DeRegisterEventHandler(nullptr), E_FAIL);
    EXPECT_EQ(WiaLib_RegisterEventHandler(nullptr, Listen, nullptr), E_FAIL);
}

TEST_F(WiaEventHandler, AnUnknownEventReachesTheFunctionWithCodeZero) {
    Heard heard;
    ComRef<CWiaEventCallback> handler(new CWiaEventCallback);
    ComRef<IWiaDevMgr> manager;
    ASSERT_EQ(CreateFakeWiaDeviceManager(manager.Put()), S_OK);
    ASSERT_EQ(handler->Register(manager.Get(), Listen, &heard), S_OK);
    const GUID unknown{0x12345678, 0x1, 0x2, {3, 4, 5, 6, 7, 8, 9, 10}};
    ULONG type = 0;
    EXPECT_EQ(
        handler->ImageEventCallback(&unknown, nullptr, nullptr, nullptr, 0, nullptr, &type, 0),
        S_OK);
    EXPECT_THAT(heard.codes, ElementsAre(0));
    ComRef<IWiaEventCallback> asCallback;
    EXPECT_EQ(handler->QueryInterface(IID_IWiaEventCallback, asCallback.PutVoid()), S_OK);
    ComRef<IWiaDataCallback> wrong;
    EXPECT_EQ(handler->QueryInterface(IID_IWiaDataCallback, wrong.PutVoid()), E_NOINTERFACE);
    EXPECT_EQ(handler->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
    handler->DeRegister();
}

TEST_F(WiaEventHandler, AFailedRegistrationKeepsWhatWasMadeUntilDeRegister) {
    wia_.failInterfaceRegistrationAt = 2;
    WiaLibContext* context = Context();
    EXPECT_EQ(WiaLib_RegisterEventHandler(context, Listen, nullptr), E_FAIL);
    EXPECT_EQ(wia_.activeInterfaceRegistrations(), 2);
    EXPECT_EQ(WiaLib_DeRegisterEventHandler(context), S_OK);
    EXPECT_EQ(wia_.activeInterfaceRegistrations(), 0);
}

TEST_F(WiaEventHandler, DestroyingAContextGivesBackItsHandler) {
    WiaLibContext* context = Context();
    ASSERT_EQ(WiaLib_RegisterEventHandler(context, Listen, nullptr), S_OK);
    WiaLib_DestroyContext(&context_);
    EXPECT_EQ(wia_.activeInterfaceRegistrations(), 0);
}

using WiaDeviceCommand = FakeCameraTest;

TEST_F(WiaDeviceCommand, GoesToTheMatchedCameraAndReturnsItsResult) {
    WiaLibContext* context = Context();
    EXPECT_EQ(WiaLib_DeviceCommand(context, kFakeCameraId, &WIA_CMD_TAKE_PICTURE), S_OK);
    ASSERT_EQ(wia_.deviceCommands.size(), 1U);
    EXPECT_EQ(wia_.deviceCommands[0].deviceId, kFakeCameraId);
    EXPECT_TRUE(IsEqualGUID(wia_.deviceCommands[0].command, WIA_CMD_TAKE_PICTURE));
    wia_.deviceCommandResult = E_NOTIMPL;
    EXPECT_EQ(WiaLib_DeviceCommand(context, kSecondCameraId, &WIA_CMD_SYNCHRONIZE), E_NOTIMPL);
    EXPECT_EQ(WiaLib_DeviceCommand(context, u"no such device", &WIA_CMD_SYNCHRONIZE), S_OK);
    EXPECT_EQ(WiaLib_DeviceCommand(context, kFakeCameraId, nullptr), E_INVALIDARG);
    EXPECT_EQ(wia_.deviceCommands.size(), 2U);
}

}  // namespace
