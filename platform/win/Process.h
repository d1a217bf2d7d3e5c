#pragma once
// Starting other programs, started and forgotten.

#include "platform/process/ProcessLauncher.h"

#include <string>

namespace zelora::win {

class Win32ProcessLauncher final : public ProcessLauncher {
public:
    void StartHidden(std::string_view commandLine) override;
};

// regsvr32 of the filters' bitness, by full path: the 32-bit one on 64-bit Windows, so a
// file of that name beside the program can never be the one that runs.
std::string SystemRegsvr32Path();

// The shell's "open" verb (web addresses, documents).
void ShellOpen(const std::wstring& file, const std::wstring& parameters);

}  // namespace zelora::win
