#pragma once
// The main window's two settings-file images: the system's save and open dialogs around
// the export and import of every decoder setting, and what the user is told afterwards.

#include "platform/registry/RegistryBackend.h"

#include <windows.h>

namespace zelora {

// Asks where to save (the default name carries today's date), writes the file, reports.
void ExportSettingsFile(HWND owner, RegistryBackend& registry);

// Asks for a file, imports it and reports; true when the file was taken (its values
// written, but for any the registry refused), so the page in view must be reloaded.
bool ImportSettingsFile(HWND owner, RegistryBackend& registry);

}  // namespace zelora
