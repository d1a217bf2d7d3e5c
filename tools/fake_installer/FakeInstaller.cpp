// A stand-in installer for the updater's tests: appends "start <its file name>" to the file
// named by ZELORA_FAKE_INSTALLER_LOG, sleeps ZELORA_FAKE_INSTALLER_SLEEP_MS milliseconds
// (none when unset), then appends "end <its file name>"; when ZELORA_FAKE_INSTALLER_CWD_LOG
// names a file, its working folder goes there first. No window, no console.
#include <windows.h>

#include <string>

namespace {

std::wstring Environment(const wchar_t* name)
{
    wchar_t value[1024] = L"";
    const DWORD length = ::GetEnvironmentVariableW(name, value, 1024);
    return length > 0 && length < 1024 ? std::wstring(value, length) : std::wstring();
}

void Log(const std::wstring& logPath, const std::string& line)
{
    const HANDLE file = ::CreateFileW(logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    ::WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    ::CloseHandle(file);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    wchar_t module[MAX_PATH] = L"";
    ::GetModuleFileNameW(nullptr, module, MAX_PATH);
    std::wstring path(module);
    const std::wstring wideName = path.substr(path.find_last_of(L"\\/") + 1);
    const std::string name(wideName.begin(), wideName.end());  // test names are ASCII
    const std::wstring logPath = Environment(L"ZELORA_FAKE_INSTALLER_LOG");
    if (logPath.empty()) return 0;
    const std::wstring cwdLog = Environment(L"ZELORA_FAKE_INSTALLER_CWD_LOG");
    if (!cwdLog.empty()) {
        wchar_t folder[MAX_PATH] = L"";
        const DWORD length = ::GetCurrentDirectoryW(MAX_PATH, folder);
        char narrow[MAX_PATH * 3] = "";
        ::WideCharToMultiByte(CP_UTF8, 0, folder, static_cast<int>(length), narrow, sizeof narrow - 1, nullptr, nullptr);
        Log(cwdLog, std::string(narrow) + "\n");
    }
    Log(logPath, "start " + name + "\n");
    const std::wstring sleep = Environment(L"ZELORA_FAKE_INSTALLER_SLEEP_MS");
    if (!sleep.empty()) ::Sleep(static_cast<DWORD>(std::stoul(sleep)));
    Log(logPath, "end " + name + "\n");
    return 0;
}
