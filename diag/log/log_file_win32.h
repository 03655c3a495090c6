#pragma once
// The log file the trace writes into: "CAMFOLIO.log" in the folder "Camfolio"
// under the cache root, opened once by the process that creates the shared
// block, after the previous log has been set aside under its last-write time.
#include <windows.h>

#include <cstdint>
#include <variant>

#include "common/win32/ownership_win32.h"

// Rotates the old log, creates the new one and writes its header (installed
// file versions, Dokan, Windows version, settings). No handle when the cache
// root is unknown or the file cannot be created.
UniqueHandle OpenLogFile(bool serviceMode);

// The handle is one of the two log files at its path (the same volume serial
// and file index), not some other file that a handle value happens to name.
bool IsLogFile(HANDLE file);

enum class SystemFolder { System32, Drivers };

// One header line: the label cut or padded to 15 characters, ":", then the
// file's version, or why there is none, and the Dokan version in brackets.
// where: a folder (fileName appended when given) or a system folder.
void WriteFileVersionLine(HANDLE file, std::variant<const char16_t*, SystemFolder> where,
                          const char16_t* fileName, const std::uint32_t* dokanVersion);

// Every value of the settings key, one "name=value" line each.
void DumpSettingsToLog(HANDLE file);
