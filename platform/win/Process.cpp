#include "platform/win/Process.h"

#include "platform/text/Text.h"
#include "platform/win/LateImports.h"
#include "platform/win/UniqueHandle.h"


#include <vector>

namespace zelora::win {

void Win32ProcessLauncher::StartHidden(std::string_view commandLine)
{
    std::u16string units = Utf8ToUtf16(commandLine);
    std::vector<wchar_t> line(units.begin(), units.end());
    line.push_back(L'\0');  // CreateProcessW may write into its command line
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION info{};
    if (::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                         &startup, &info)) {
        UniqueKernelHandle process(info.hProcess);
        UniqueKernelHandle thread(info.hThread);
    }
}

std::string SystemRegsvr32Path()
{
    wchar_t folder[MAX_PATH] = L"";
    UINT length = ::GetSystemWow64DirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) length = ::GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return Regsvr32Path("C:\\Windows\\System32");
    return Regsvr32Path(Utf16ToUtf8(std::u16string(folder, folder + length)));
}

void ShellOpen(const std::wstring& file, const std::wstring& parameters)
{
    late::ShellExecuteW(nullptr, L"open", file.c_str(),
                    parameters.empty() ? nullptr : parameters.c_str(), nullptr, SW_SHOWNORMAL);
}

}  // namespace zelora::win
