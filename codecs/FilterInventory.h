#pragma once
// The pack's decoders as the installer's bookkeeping and the system's DirectShow filter
// registrations show them: the installed-and-registered rows and the unregistered rows of
// the Codec Connect page, and that page's three actions (unregister, register again,
// uninstall), which start regsvr32 or an uninstaller and update the bookkeeping.
//
// Texts are kept whole, whatever their length: a display text or path cut short would lose
// the "(" that names the decoder or point regsvr32 and the bookkeeping at another file.

#include "platform/FunctionRef.h"
#include "platform/process/ProcessLauncher.h"
#include "platform/registry/RegistryStore.h"

#include <cstddef>
#include <optional>
#include <span>
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
    FileMissing,          // its recorded file is gone
    RegisteredElsewhere,  // a working registration of its file name points at another folder
    // Its file is there, but the registration of its file name points at a file elsewhere
    // that is gone: registering the pack's own file mends it.
    RegisteredFileMissing,
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
    // Whether its books are in Install (else CodecDel): a decoder recorded as installed
    // without a registration is "not registered", one unregistered on purpose is not.
    bool recordedAsInstalled = false;

    // The same line of a list: what it shows and the books it names. The registration keys
    // are the scan's note for a repair, and the key of the books follows from the list.
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

// Why a button left a ticked row as it was.
enum class Refusal {
    StateChanged,         // its registration or its file changed since the list was made
    RegisteredElsewhere,  // unregister: the working registration is another folder's
    OtherDeadRegistration,  // unregister: the dead registration is another folder's
    UnverifiedRegistration,  // unregister: the dead registration's keys are not plainly its own
    NothingToUnregister,  // unregister: no registration names the pack's own file
    FileGone,             // register: the recorded file is not there
    PathUnreadable,       // the recorded path could not be read whole
    PathWithQuote,        // never handed to regsvr32
    BooksRefused,         // no write access to the bookkeeping (a standard user's HKLM)
    ClassesRefused,       // no write access to the class registrations
    NoUninstaller,        // uninstall: no uninstaller is recorded for it
};

struct RefusedRow {
    InventoryRow row;  // as it stands after the press, with the state found then
    Refusal why;
};

// Which rows of a list an action took out of it, by their places before the action, and
// why it left each other ticked row.
struct RowsTaken {
    std::vector<bool> taken;
    std::vector<RefusedRow> refused;
    std::size_t Count() const;
};

// The message for the rows a press left as they were: one line per row, naming it and
// saying why and what the user can do. Empty when there are none.
std::string RefusalMessage(const std::vector<RefusedRow>& refused);

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
    std::string friendlyName{};
};

// A registration as a list of them holds it: views of the list's texts.
struct FilterRegistrationView {
    std::string_view instance, clsid, server, friendlyName;
};

// A registration's FilterData as the walk reads it: the registration's index in the list and
// the value's bytes, lent for the call only (a reader keeps what it makes of them).
using FilterDataVisitor = FunctionRef<void(std::size_t registration, std::span<const unsigned char> data)>;

// Every registration of the filter category with a FriendlyName, in the category's order,
// read in two batched walks (the category, then CLSID). Their texts are kept together in one
// buffer, rather than four strings each, for a reader that keeps thousands of them (the
// preferred decoders' fill); a view lives as long as its list.
class FilterRegistrationList {
public:
    static FilterRegistrationList Read(RegistryStore& store);
    // The category's walk alone, handing each registration's FilterData of at most
    // `maxFilterData` bytes to `filterData` (in no set order; one without it, or with a
    // larger one, is not visited). The servers are left unread, each an empty text: opening
    // every class's key again costs as much as the category's walk.
    static FilterRegistrationList Read(RegistryStore& store, std::size_t maxFilterData,
                                       FilterDataVisitor filterData);

    std::size_t Size() const { return m_entries.size(); }
    FilterRegistrationView operator[](std::size_t registration) const;

private:
    static FilterRegistrationList Walk(RegistryStore& store, std::size_t maxFilterData,
                                       const FilterDataVisitor* filterData);
    // Every registration's server, in one walk of CLSID.
    void ReadServers(RegistryStore& store);

    struct Text {
        std::size_t at = 0, size = 0;  // in m_texts
    };
    struct Entry {
        Text instance, clsid, server, friendlyName;
    };
    std::string_view Of(Text text) const { return std::string_view(m_texts).substr(text.at, text.size); }
    Text Append(const ValueView& value);  // a string value's text, as RegistryStore reads it

    std::string m_texts;
    std::vector<Entry> m_entries;
};

// The same registrations, each with texts of its own.
std::vector<FilterRegistration> ReadFilterRegistrations(RegistryStore& store);

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
    bool fileThere = true;  // the recorded file (a registration elsewhere may still work)
};
HealthFinding FindHealth(const RegisteredServers& servers, const FileProbe& files,
                         std::string_view recordedPath, bool recordedAsInstalled);

// What a button does with a ticked row in the state found at the press: regsvr32 for it,
// the removal of its own dead registration, or nothing, for a reason.
enum class ActionStep { Regsvr, RemoveDeadRegistration, Refuse };
struct Decision {
    ActionStep step = ActionStep::Refuse;
    Refusal why = Refusal::StateChanged;  // when refused
};
// `shown` is the row as the list shows it; `now` its state read again at the press. A
// state that changed in between is shown, not acted on: the user chose for the old one.
Decision Decide(RegsvrAction action, const InventoryRow& shown, const HealthFinding& now);

enum class RepairResult { Removed, NotOwn, Refused };

// The list's "상태" column: empty for a healthy decoder, the Korean state otherwise, with
// the other path where there is one.
std::string HealthText(const InventoryRow& row);
// What a row's tip shows: its text and, below, its whole state; empty for a healthy row.
std::string RowTipText(const InventoryRow& row);

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
    // Rows of installed decoders that "register" would mend (no registration of their file,
    // or one whose file elsewhere is gone) go to `notRegistered` when given, and are left
    // out otherwise.
    std::vector<InventoryRow> ScanInstalled(std::vector<InventoryRow>* notRegistered = nullptr);
    // Decoders unregistered earlier (CodecDel); sets no flag. Reuses the registrations read
    // by the installed scan before it, so the page walks the category once.
    std::vector<InventoryRow> ScanRemoved();

    // Removes a file-missing row's own dead registration (its Instance subkey, then its
    // class), after reading it again: only when its server path is still the recorded path
    // and the file is still absent. Anything else is NotOwn and left alone.
    RepairResult RemoveDeadRegistration(const InventoryRow& row);

    // One row each: record the row's path in the other key, start regsvr32 for it and drop
    // the old record. Nothing is done, for the reason returned, when the path could not be
    // read (the placeholder would replace the stored value for good), holds a quote (never
    // handed to regsvr32) or the new record is refused (a standard user's HKLM). The row's
    // state is the caller's to decide on.
    std::optional<Refusal> Unregister(const InventoryRow& row);
    std::optional<Refusal> Register(const InventoryRow& row);

    // The page's buttons. The registrations and each chosen row's file are read again at
    // the press and each row is handled as `Decide` says, from the last to the first; a
    // moved row leaves its list and is appended, unticked, to the other with the state it
    // is left in, while a row that could not be moved stays where it is, still ticked, with
    // the state found. Unregistering a row whose own registration is dead removes that
    // registration instead of starting regsvr32, and keeps the books.
    RowsTaken UnregisterChosen(std::vector<InventoryRow>& upper, std::vector<InventoryRow>& lower);
    RowsTaken RegisterChosen(std::vector<InventoryRow>& lower, std::vector<InventoryRow>& upper);
    // Starts each chosen row's uninstaller and drops the row; CodecDel keeps its value. A
    // row without a recorded uninstaller stays, and an empty UnInstall key starts nothing.
    RowsTaken UninstallChosen(std::vector<InventoryRow>& lower);

private:
    std::optional<Refusal> Move(const InventoryRow& row, RegsvrAction action,
                                std::string_view toKey, std::string_view fromKey);
    // One chosen row at the press: its decision taken and carried out; the row as it is left.
    std::optional<Refusal> Act(InventoryRow& row, RegsvrAction action);
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
