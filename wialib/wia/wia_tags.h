#pragma once
// Trace tags of the camera library (families WA, WB, WD, WE behind "<WIALIB>", and K20).

inline constexpr char16_t kInitLibContextTag[] = u"<WIALIB>WA1@InitLibContext: ";
inline constexpr char16_t kConvertValueToStringTag[] = u"<WIALIB>WA9@ConvertValueToString: ";
inline constexpr char16_t kProcessPropertiesTag[] = u"<WIALIB>WA26@ProcessProperties: ";
inline constexpr char16_t kCreateWiaDeviceTag[] = u"<WIALIB>WA27@CreateWiaDevice: ";
inline constexpr char16_t kCreateWiaDeviceManagerTag[] = u"<WIALIB>WA28@CreateWiaDeviceManager: ";
inline constexpr char16_t kProcessItemTag[] = u"<WIALIB>WA29@ProcessItem: ";
inline constexpr char16_t kDefaultDataCallbackTag[] = u"<WIALIB>WA30@DefaultDataCallback: ";
inline constexpr char16_t kTransferWiaItemTag[] = u"<WIALIB>WA31@TransferWiaItem: ";
inline constexpr char16_t kTransferWiaItemDirectTag[] = u"<WIALIB>WA33@TransferWiaItemDirect: ";
inline constexpr char16_t kDeleteWiaItemTag[] = u"<WIALIB>WA34@DeleteWiaItem: ";
inline constexpr char16_t kEnumerateItemsTag[] = u"<WIALIB>WA35@EnumerateItems: ";
inline constexpr char16_t kDumpDirTreeTag[] = u"<WIALIB>WA36@DumpDirTree: ";
inline constexpr char16_t kInitTag[] = u"<WIALIB>WA37@WiaLib_Init: ";
inline constexpr char16_t kCreateContextTag[] = u"<WIALIB>WA38@WiaLib_CreateContext: ";
inline constexpr char16_t kDeInitTag[] = u"<WIALIB>WA39@WiaLib_DeInit: ";
inline constexpr char16_t kDestroyContextTag[] = u"<WIALIB>WA40@WiaLib_DestroyContext: ";
inline constexpr char16_t kGetDevicesTag[] = u"<WIALIB>WA41@WiaLib_GetDevices: ";
inline constexpr char16_t kWiaEnumeratorTag[] = u"<WIALIB>WA42@_WiaEnumerator: ";
inline constexpr char16_t kGetDirlistTag[] = u"<WIALIB>WA43@WiaLib_GetDirlist: ";
inline constexpr char16_t kGetDevicePropsTag[] = u"<WIALIB>WA44@WiaLib_GetDeviceProps: ";
inline constexpr char16_t kGetFileTag[] = u"<WIALIB>WA46@WiaLib_GetFile: ";
inline constexpr char16_t kDeleteFileTag[] = u"<WIALIB>WA47@WiaLib_DeleteFile: ";
inline constexpr char16_t kRegisterEventHandlerTag[] =
    u"<WIALIB>WA50@WiaLib_RegisterEventHandler: ";
inline constexpr char16_t kDeRegisterEventHandlerTag[] =
    u"<WIALIB>WA51@WiaLib_DeRegisterEventHandler: ";
inline constexpr char16_t kReleaseInterfaceTag[] = u"<WIALIB>WA54@WiaLib_ReleaseInterface: ";
inline constexpr char16_t kRegisterDeregisterProgramThreadedTag[] =
    u"<WIALIB>WA55@WiaLib_RegisterDeregisterProgram: ";
inline constexpr char16_t kRegisterDeregisterProgramTag[] =
    u"<WIALIB>WA56@RegisterDeregisterProgram: ";
inline constexpr char16_t kEventCleanupTag[] = u"<WIALIB>WA59@EventCleanup: ";
inline constexpr char16_t kDeviceCommandTag[] = u"<WIALIB>WA63@WiaLib_DeviceCommand: ";
inline constexpr char16_t kDataCallbackCreateTag[] =
    u"<WIALIB>WD1@CWiaDataCallback::CWiaDataCallback: ";
inline constexpr char16_t kDataCallbackQueryInterfaceTag[] =
    u"<WIALIB>WD2@CWiaDataCallback::QueryInterface: ";
inline constexpr char16_t kDataCallbackAddRefTag[] = u"<WIALIB>WD3@CWiaDataCallback::AddRef: ";
inline constexpr char16_t kDataCallbackReleaseTag[] = u"<WIALIB>WD4@CWiaDataCallback::Release: ";
inline constexpr char16_t kDataCallbackBandedTag[] =
    u"<WIALIB>WD5@CWiaDataCallback::BandedDataCallback: ";
inline constexpr char16_t kDataCallbackStoreBufferTag[] =
    u"<WIALIB>WD8@CWiaDataCallback::StoreBuffer: ";
inline constexpr char16_t kDataCallbackDestroyTag[] =
    u"<WIALIB>WD9@CWiaDataCallback::~CWiaDataCallback: ";
inline constexpr char16_t kEventCallbackCreateTag[] =
    u"<WIALIB>WE1@CWiaEventCallback::CWiaEventCallback: ";
inline constexpr char16_t kEventCallbackQueryInterfaceTag[] =
    u"<WIALIB>WE2@CWiaEventCallback::QueryInterface: ";
inline constexpr char16_t kEventCallbackAddRefTag[] = u"<WIALIB>WE3@CWiaEventCallback::AddRef: ";
inline constexpr char16_t kEventCallbackReleaseTag[] = u"<WIALIB>WE4@CWiaEventCallback::Release: ";
inline constexpr char16_t kEventCallbackImageEventTag[] =
    u"<WIALIB>WE5@CWiaEventCallback::ImageEventCallback: ";
inline constexpr char16_t kEventCallbackRegisterTag[] =
    u"<WIALIB>WE6@CWiaEventCallback::Register: ";
inline constexpr char16_t kEventCallbackDeRegisterTag[] =
    u"<WIALIB>WE8@CWiaEventCallback::DeRegister: ";
inline constexpr char16_t kEventCallbackDestroyTag[] =
    u"<WIALIB>WE9@CWiaEventCallback::~CWiaEventCallback: ";
inline constexpr char16_t kWrapperDumpTag[] = u"K20@WIALIBWRAPPER_Dump: ";
