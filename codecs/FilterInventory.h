#pragma once
// The pack's decoders as the installer's bookkeeping and the system's DirectShow filter
// registrations show them: the installed-and-registered rows and the unregistered rows of
// the Codec Connect page, and that page's three actions (unregister, register again,
// uninstall), which start regsvr32 or an uninstaller and update the bookkeeping.
//
// Texts are kept whole, whatever their length: a display text or path cut short would lose
// the "(" that names the decoder or point regsvr32 and the bookkeeping at another file.

#include "platform/process/ProcessLauncher.h"
#include "platform/registry/RegistryStore.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zelora {

// HKEY_CLASSES_ROOT: one subkey per registered DirectShow filter. Only ever read.
inline constexpr std::string_view kFilterCategoryPath =
    "CLSID\\{083863F1-70DE-11d0-BD40-00A0C911CE86}\\Instance";

// HKEY_LOCAL_MACHINE: the installer's bookkeeping, one value per decoder name.
inline constexpr std::string_view kInstallKey = "Software\\Tarnwick\\Quellmark\\Install";
inline constexpr std::string_view kCodecVersionKey = "Software\\Tarnwick\\Quellmark\\CodecVersion";
inline constexpr std::string_view kCodecDelKey = "Software\\Tarnwick\\Quellmark\\CodecDel";
inline constexpr std::string_view kUnInstallKey = "Software\\Tarnwick\\Quellmark\\UnInstall";

// Whether a file is there; the scan asks it about the decoders' recorded and registered files.
class FileProbe {
public:
    virtual ~FileProbe() = default;
    virtual bool Exists(std::string_view path) const = 0;
};

// What keeps a recorded decoder from working, if anything.
enum class DecoderHealth {
    Healthy,
    NotRegistered,        // in Install, but no registration names its file
    FileMissing,          // its recorded file, or the file its registration names, is gone
    RegisteredElsewhere,  // the registration of its file name points at another folder
};

inline constexpr std::string_view kUnchecked = "0";
inline constexpr std::string_view kChecked = "1";

// One line of either list of the Codec Connect page.
struct InventoryRow {
    std::string displayText;  // decoder name, then " " and the version when one is recorded
    std::string path;         // full path of the filter file
    std::string checkMark;    // kUnchecked or kChecked
    // The row's value name in the bookkeeping keys, kept from the scan. Taken back from the
    // display text it would be empty for every decoder shown without "(version)" (all of
    // them sharing one value) and cut short for a name holding "(".
    std::string valueName;
    DecoderHealth health = DecoderHealth::Healthy;
    // The server path of the registration of the same file name, when it is another file or
    // a dead one; empty otherwise.
    std::string registeredPath{};
    // The registration whose server path is the recorded path (instance subkey and class),
    // kept so that a dead one can be removed; empty when there is none.
    std::string registrationInstance{};
    std::string registrationClsid{};

    // The same line of a list: what it shows and the books it names. The registration keys
    // are the scan's note for a repair, not part of the line.
    bool operator==(const InventoryRow& other) const
    {
        return displayText == other.displayText && path == other.path &&
               checkMark == other.checkMark && valueName == other.valueName &&
               health == other.health && registeredPath == other.registeredPath;
    }
};

// The decoder name back from a display text: everything before the first "(" less the
// character in front of it (the blank joining name and version). No "(" gives "".
std::string NameOf(std::string_view displayText);

// `version` as read by the store: the marker for a missing value leaves the bare name.
std::string DisplayTextOf(std::string_view name, std::string_view version);

// The part of a path after its last slash of either kind (the whole text when it has none).
std::string_view ServerFileName(std::string_view path);

bool IsChosen(const InventoryRow& row);
// A click flips the mark: "0" becomes "1", anything else "0".
void ToggleCheck(InventoryRow& row);
// Image list index shown for the row: 1 ticked, 0 not.
int CheckImage(const InventoryRow& row);

enum class RegsvrAction { Register, Unregister };

// Which rows of a list an action took out of it, by their places before the action.
struct RowsTaken {
    std::vector<bool> taken;
    bool refused = false;  // a removal the system refused (no write access to the classes)
    std::size_t Count() const;
};

// `"<regsvr32>" /s "<path>` or `"<regsvr32>" /s /u "<path>`, left unclosed: the command
// line parser takes the rest of the line as the quoted path. Nothing when the path holds a
// quote, which no file name can, and which would hand regsvr32 further arguments.
std::optional<std::string> RegsvrCommandLine(std::string_view regsvr32Path, RegsvrAction action,
                                             std::string_view filterPath);

// Paths compared as Windows compares them: either slash, any case of ASCII letters.
bool SamePath(std::string_view a, std::string_view b);

struct FilterRegistration {
    std::string instance;  // subkey of the filter category
    std::string clsid;
    std::string server;    // InprocServer32 path as stored
};

// The servers of every registered DirectShow filter, read in one pass over the category and
// kept by file name without regard to case, so each decoder is a lookup, not another walk.
class RegisteredServers {
public:
    static RegisteredServers Read(RegistryStore& store);

    bool Contains(std::string_view fileName) const { return Find(fileName) != nullptr; }
    // Every registration whose server has this file name; null when there is none.
    const std::vector<FilterRegistration>* Find(std::string_view fileName) const;
    std::size_t Size() const { return m_byFileName.size(); }

private:
    std::unordered_map<std::string, std::vector<FilterRegistration>> m_byFileName;
};

// The health of a decoder recorded at `recordedPath`, its own registration (if any) and the
// path worth showing beside it, from one lookup in `servers`.
struct HealthFinding {
    DecoderHealth health = DecoderHealth::Healthy;
    const FilterRegistration* own = nullptr;
    std::string registeredPath{};
};
HealthFinding FindHealth(const RegisteredServers& servers, const FileProbe& files,
                         std::string_view recordedPath, bool recordedAsInstalled);

enum class RepairResult { Removed, NotOwn, Refused };

// The list's "상태" column: empty for a healthy decoder, the Korean state otherwise, with
// the other path where there is one.
std::string HealthText(const InventoryRow& row);

enum class CategoryAccess { Granted, Refused };

struct InstalledScan {
    CategoryAccess access = CategoryAccess::Refused;
    std::vector<InventoryRow> rows;           // empty when refused
    std::vector<InventoryRow> notRegistered;  // for the lower list, where "register" repairs
};

class FilterInventory {
public:
    // `regsvr32Path` is the full path of the regsvr32 that matches the filters' bitness.
    FilterInventory(RegistryStore& store, ProcessLauncher& launcher, std::string regsvr32Path,
                    const FileProbe& files);

    // The page shows "Error" and fills no upper row when the category cannot be opened
    // with full access (a plain user, or no category at all).
    CategoryAccess ProbeCategory() const;
    InstalledScan PrepareInstalled();

    // Installed decoders that are registered filters; sets InstalledDecoders for every
    // recorded decoder with a version, registered or not. The caller has probed the
    // category.
    // Rows of installed decoders with no registration of their file go to `notRegistered`
    // when given, and are left out otherwise.
    std::vector<InventoryRow> ScanInstalled(std::vector<InventoryRow>* notRegistered = nullptr);
    // Decoders unregistered earlier (CodecDel); sets no flag. Reuses the registrations read
    // by the installed scan before it, so the page walks the category once.
    std::vector<InventoryRow> ScanRemoved();

    // Removes a file-missing row's own dead registration (its Instance subkey, then its
    // class), after reading it again: only when its server path is still the recorded path
    // and the file is still absent. Anything else is NotOwn and left alone.
    RepairResult RemoveDeadRegistration(const InventoryRow& row);

    // One row each (never a file-missing one): record the row's path in the other key, start regsvr32 for it and drop
    // the old record. False, with nothing done, when the path could not be read (the
    // placeholder would replace the stored value for good), holds a quote (never handed to
    // regsvr32) or the new record is refused (a standard user's HKLM).
    bool Unregister(const InventoryRow& row);
    bool Register(const InventoryRow& row);

    // The page's buttons. Chosen rows are handled from the last to the first; a moved row
    // leaves its list and is appended, unticked, to the other, while a row that could not be
    // moved stays where it is, still ticked. Unregistering a file-missing row removes its
    // own dead registration instead of starting regsvr32, and keeps the books.
    RowsTaken UnregisterChosen(std::vector<InventoryRow>& upper, std::vector<InventoryRow>& lower);
    RowsTaken RegisterChosen(std::vector<InventoryRow>& lower, std::vector<InventoryRow>& upper);
    // Starts each chosen row's uninstaller and drops the row; CodecDel keeps its value. An
    // empty UnInstall key means no uninstaller is known and nothing at all happens.
    RowsTaken UninstallChosen(std::vector<InventoryRow>& lower);

private:
    bool Move(const InventoryRow& row, RegsvrAction action, std::string_view toKey,
              std::string_view fromKey);
    RowsTaken MoveChosen(std::vector<InventoryRow>& from, std::vector<InventoryRow>& to,
                         RegsvrAction action);

    const RegisteredServers& Servers();
    InventoryRow RowWithHealth(std::string name, std::string version, std::string path,
                               bool recordedAsInstalled);

    RegistryStore& m_store;
    ProcessLauncher& m_launcher;
    std::string m_regsvr32Path;
    const FileProbe& m_files;
    std::optional<RegisteredServers> m_servers;
};

}  // namespace zelora
