#pragma once
// Trace tags of the shell lookup (family F).
inline constexpr char16_t kEnumShellFolderTag[] = u"F1@_EnumIShellFolder: ";
inline constexpr char16_t kGetShellObjectsTag[] = u"F2@GetIShellObjectsForDevice: ";
inline constexpr char16_t kGetShellObjectsFnTag[] = u"F3@GetIShellObjectsForDeviceFn: ";
