#include "tests/support/program_run_win32.h"

#include <algorithm>
#include <array>

#include "common/win32/ownership_win32.h"
#include "common/win32/wide_win32.h"

namespace {
constexpr DWORD kProgramWaitMs = 60000;
}  // namespace

ProgramRun RunProgram(const std::u16string& program, const std::u16string& arguments) {
    ProgramRun run;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) {
        return run;
    }
    const UniqueHandle reader(readEnd);
    UniqueHandle writer(writeEnd);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    std::u16string line = u"\"" + program + u"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, const_cast<wchar_t*>(AsWide(line.c_str())), nullptr, nullptr, TRUE,
                        0, nullptr, nullptr, &startup, &started)) {
        return run;
    }
    const UniqueHandle process(started.hProcess);
    const UniqueHandle thread(started.hThread);
    writer.Reset(nullptr);  // the pipe ends when the program's copy closes
    std::array<char, 512> buffer{};
    DWORD got = 0;
    while (ReadFile(readEnd, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) &&
           got > 0) {
        run.output.append(buffer.data(), got);
    }
    std::erase(run.output, '\r');
    DWORD code = 0;
    if (WaitForSingleObject(process.Get(), kProgramWaitMs) == WAIT_OBJECT_0 &&
        GetExitCodeProcess(process.Get(), &code)) {
        run.exitCode = code;
    }
    return run;
}
