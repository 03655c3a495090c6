#pragma once
// Whether the system is supported and the installation complete and
// consistent. Problems are shown in message boxes (unless quiet) and
// answered with false.
#include <cstdint>

// Expected answers of the Dokan library.
inline constexpr std::uint32_t kExpectedDokanVersion = 800;
inline constexpr std::uint32_t kExpectedDokanDriverVersion = 400;

bool CheckOsSupported(bool quiet);

// Dokan library and driver in the expected versions, and the applet and the
// shell library of the same file version. The versions found are stored in
// the outputs when given.
bool CheckInstallation(std::uint32_t* libraryVersion, std::uint32_t* driverVersion, bool quiet);
