#pragma once

#include "app/window/frmMain.hpp"

#include <memory>

namespace morvane {

// What start-up says when the registry cannot be read at all.
inline constexpr const char* registry_error_text = "Can not read data from registry";

// Fills every field of the record from HKEY_LOCAL_MACHINE, in start-up's order: every
// release's root, then every SASUSER folder, then the product's all-users setting.
InstallationRecord read_installation_record(Registry& registry);

// Start-up: reads the registry, loads the window's rules into view and shows it. On any
// error it says "Can not read data from registry" and gives no window.
// What the window shows also goes to `written`; asked is the scope the installation
// is to have, as frmMain takes it.
std::unique_ptr<frmMain> Main(Platform& platform, SetupWindowView& view,
                              Reporter& written = nowhere(),
                              std::optional<ShortcutScope> asked = std::nullopt);

} // namespace morvane
