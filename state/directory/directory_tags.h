#pragma once
// Trace tags of the directory model (family D, and B16).
inline constexpr char16_t kAddSizeTag[] = u"D3@CDirectory::AddSize: ";
inline constexpr char16_t kGetRootDirTag[] = u"D4@CDirectory::GetRootDir: ";
inline constexpr char16_t kCleanupTag[] = u"D5@CDirectory::Cleanup: ";
inline constexpr char16_t kInitTag[] = u"D6@CDirectory::Init: ";
inline constexpr char16_t kAddFileTag[] = u"D7@CDirectory::AddFile: ";
inline constexpr char16_t kAddItemTag[] = u"D11@CDirectory::_AddItem: ";
inline constexpr char16_t kSetRootDirTag[] = u"D14@CDirectory::SetRootDir: ";
inline constexpr char16_t kSetFlagsTag[] = u"D16@CDirectory::SetFlags: ";
inline constexpr char16_t kGetFlagsTag[] = u"D17@CDirectory::GetFlags: ";
inline constexpr char16_t kAddPersistentDirectoryTag[] =
    u"D20@CDirectory::AddPersistentDirectory: ";
inline constexpr char16_t kGetDirlistFromNseTag[] = u"D24@GetDirlistFromNSE: ";
inline constexpr char16_t kGetWpdDevicePnpIdTag[] = u"B16@GetWpdDevicePnPID: ";
