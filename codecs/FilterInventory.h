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
#include <unordered_set>
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

    bool operator==(const InventoryRow&) const = default;
};

// The decoder name back from a display text: everything before the first "(" less the
// character in front of it (the blank joining name and version). No "(" gives "".
std::string NameOf(std::string_view displayText);

// `version` as read by the store: the marker for a missing value leaves the bare name.
std::string DisplayTextOf(std::string_view name, std::string_view version);

// The part of a path after its last backslash (the whole text when it has none).
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
    std::size_t Count() const;
};

// `"<regsvr32>" /s "<path>` or `"<regsvr32>" /s /u "<path>`, left unclosed: the command
// line parser takes the rest of the line as the quoted path. Nothing when the path holds a
// quote, which no file name can, and which would hand regsvr32 further arguments.
std::optional<std::string> RegsvrCommandLine(std::string_view regsvr32Path, RegsvrAction action,
                                             std::string_view filterPath);

// File names of the servers of every registered DirectShow filter, read in one pass over
// the category, so each installed decoder is a lookup rather than another walk.
class RegisteredServers {
public:
    static RegisteredServers Read(RegistryStore& store);

    bool Contains(std::string_view fileName) const;
    std::size_t Size() const { return m_fileNames.size(); }

private:
    std::unordered_set<std::string> m_fileNames;
};

enum class CategoryAccess { Granted, Refused };

struct InstalledScan {
    CategoryAccess access = CategoryAccess::Refused;
    std::vector<InventoryRow> rows;  // empty when refused
};

class FilterInventory {
public:
    // `regsvr32Path` is the full path of the regsvr32 that matches the filters' bitness.
    FilterInventory(RegistryStore& store, ProcessLauncher& launcher, std::string regsvr32Path);

    // The page shows "Error" and fills no upper row when the category cannot be opened
    // with full access (a plain user, or no category at all).
    CategoryAccess ProbeCategory() const;
    InstalledScan PrepareInstalled();

    // Installed decoders that are registered filters; sets InstalledDecoders for every
    // recorded decoder with a version, registered or not. The caller has probed the
    // category.
    std::vector<InventoryRow> ScanInstalled();
    // Decoders unregistered earlier (CodecDel); sets no flag.
    std::vector<InventoryRow> ScanRemoved();

    // One row each: record the row's path in the other key, start regsvr32 for it and drop
    // the old record. False, with nothing done, when the path could not be read (the
    // placeholder would replace the stored value for good), holds a quote (never handed to
    // regsvr32) or the new record is refused (a standard user's HKLM).
    bool Unregister(const InventoryRow& row);
    bool Register(const InventoryRow& row);

    // The page's buttons. Chosen rows are handled from the last to the first; a moved row
    // leaves its list and is appended, unticked, to the other, while a row that could not be
    // moved stays where it is, still ticked.
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

    RegistryStore& m_store;
    ProcessLauncher& m_launcher;
    std::string m_regsvr32Path;
};

}  // namespace zelora
