#pragma once
// Setting a format's preferred decoder in one view, and giving back what was there.
// Before its first change to a view's Preferred key the key's values (and descriptor,
// where the backend reaches it) are saved under the product's own machine-wide key, so
// "Windows 기본값으로" restores them exactly, in this run or a later one. Each change is
// all or nothing: a failed step leaves values and descriptor as they were and says which
// step failed.

#include "preferred/PreferredDecoders.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelora {

// HKEY_LOCAL_MACHINE, 32-bit view: one subkey per view ("32", "64").
inline constexpr std::string_view kPreferredBackupKey =
    "Software\\Tarnwick\\Quellmark\\PreferredBackup";

enum class ChangeStep {
    NeedsAdministrator,  // a standard user: nothing was tried
    SaveBackup,
    EnablePrivileges,
    ReadDescriptor,
    TakeOwnership,
    GrantWrite,
    WriteValues,
    RestoreDescriptor,
};

struct ChangeResult {
    bool done = true;
    ChangeStep failedStep = ChangeStep::WriteValues;  // when not done
    PlayerView view = PlayerView::Bits32;
    // Empty when done; otherwise the Korean message naming the key and the step.
    std::string message{};
};

class PreferredChanges {
public:
    explicit PreferredChanges(const RegistryViews& views) : m_views(views) {}

    // Writes `clsid` to every subtype of `format` in `view`; an empty `clsid` removes them
    // ("Windows 기본").
    ChangeResult Apply(PlayerView view, const MediaFormat& format, std::string_view clsid);
    // Puts back every view's saved values and descriptor, then drops the backups. Views
    // without a backup are left alone; the first failure stops (its view keeps its backup).
    ChangeResult RestoreAll();
    bool HasBackup(PlayerView view) const;
    // Whether any view there is has a saved copy: something for RestoreAll to give back.
    bool HasAnyBackup() const;

private:
    struct Desired {
        std::string name;
        std::optional<RawValue> value;  // none: the value is removed
    };
    ChangeResult SaveBackup(PlayerView view);
    ChangeResult Write(PlayerView view, const std::vector<Desired>& desired,
                       const std::vector<unsigned char>* descriptorAfter);
    ChangeResult RestoreView(PlayerView view);

    RegistryViews m_views;
};

std::string_view StepText(ChangeStep step);

}  // namespace zelora
