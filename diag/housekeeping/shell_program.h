#pragma once
// The user's shell program ("explorer.exe" as a rule), with which the About
// page opens folders.

// The Winlogon "Shell" value, read once and kept for the life of the
// process; empty when it cannot be read (or is too long to be whole).
const char16_t* GetShellProgram();
