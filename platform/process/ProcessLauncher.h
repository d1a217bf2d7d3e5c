#pragma once
// Starting other programs the way the settings centre does: start and forget, window
// hidden, nothing waits for them or reads their result. Behind an interface so the
// inventory's actions can be tested without starting anything.

#include <string>
#include <string_view>

namespace zelora {

class ProcessLauncher {
public:
    virtual ~ProcessLauncher() = default;

    // A failed start is silent, like every other launch of the program.
    virtual void StartHidden(std::string_view commandLine) = 0;
};

// Full path of regsvr32 in `systemFolder`, which must be the folder matching the filters'
// bitness (the 32-bit system folder on 64-bit Windows). Always a full path: a bare
// "regsvr32.exe" would be searched for in the program's own folder first.
inline std::string Regsvr32Path(std::string_view systemFolder)
{
    std::string path(systemFolder);
    if (!path.empty() && path.back() != '\\') path += '\\';
    path += "regsvr32.exe";
    return path;
}

}  // namespace zelora
