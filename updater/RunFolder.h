#pragma once
// The updater's private folder for one run: created fresh under the user's temporary
// folder, it receives the installers. Only the user, SYSTEM and the Administrators may
// write into it (its own protected access list, nothing inherited), so nobody else can
// plant a file beside an installer that the installer would load. The clean-up deletes only
// the files this run wrote, then the folder (which stays when anything else is in it); a
// folder that an earlier run could not clean up (the process ended first) goes a day later.

#include <cstdint>
#include <memory>
#include <mutex>
#include <set>
#include <string>

namespace zelora::updater {

// How old an earlier run's folder must be before a later run removes it.
inline constexpr std::uint64_t kStaleRunFolderMs = 24ull * 60 * 60 * 1000;

class RunFolder {
public:
    // A new, empty folder below `parent` (the user's temporary folder when empty).
    static std::unique_ptr<RunFolder> Create(const std::wstring& parent = {});
    // Removes the folders of earlier runs below `parent` that nobody has written to for
    // kStaleRunFolderMs, with the plain files in them; returns how many went.
    static int RemoveStale(const std::wstring& parent = {});

    RunFolder(const RunFolder&) = delete;
    RunFolder& operator=(const RunFolder&) = delete;
    ~RunFolder();

    const std::wstring& Path() const { return m_path; }
    // Full path of `name` in the folder, recorded as written by this run, together with
    // the ".part" file its download writes first.
    std::wstring Claim(const std::wstring& name);
    // Deletes one file of this run; false when it is still there.
    bool Delete(const std::wstring& name);
    // Keeps a file on disk and out of the clean-up (an installer that may still run).
    void Release(const std::wstring& name);
    // Deletes every file of this run that is still there, then the folder if empty.
    void CleanUp();

private:
    explicit RunFolder(std::wstring path) : m_path(std::move(path)) {}

    std::wstring m_path;
    std::mutex m_mutex;
    std::set<std::wstring> m_files;
};

}  // namespace zelora::updater
