#pragma once
// A program run to its end with its standard output and error captured.
#include <windows.h>

#include <optional>
#include <string>

struct ProgramRun {
    std::optional<DWORD> exitCode;  // none when it did not start or end in time
    std::string output;             // standard output and error, CR LF as LF
};

// program is a full path; arguments follow it on the command line.
ProgramRun RunProgram(const std::u16string& program, const std::u16string& arguments);
