#include "process_memory.h"

#include <winternl.h>

namespace e2e {

std::string command_line_of(DWORD pid)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (process == nullptr) return {};
    std::string line;
    PROCESS_BASIC_INFORMATION basic = {};
    PEB peb = {};
    RTL_USER_PROCESS_PARAMETERS parameters = {};
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) == 0 &&
        ReadProcessMemory(process, basic.PebBaseAddress, &peb, sizeof peb, nullptr) &&
        ReadProcessMemory(process, peb.ProcessParameters, &parameters, sizeof parameters, nullptr)) {
        std::wstring wide(parameters.CommandLine.Length / sizeof(wchar_t), L'\0');
        if (ReadProcessMemory(process, parameters.CommandLine.Buffer, wide.data(), parameters.CommandLine.Length,
                              nullptr))
            for (wchar_t c : wide) line += static_cast<char>(c < 128 ? c : '?');
    }
    CloseHandle(process);
    return line;
}

}  // namespace e2e
