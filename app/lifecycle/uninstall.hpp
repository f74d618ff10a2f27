#pragma once

#include "app/lifecycle/own_places.hpp"
#include "app/record/setup_record.hpp"
#include "platform/file_system.hpp"
#include "platform/hashing.hpp"
#include "platform/shell.hpp"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace morvane {

// The content of a SAS configuration file with the macro folder's entry taken out of every
// setting the change records, every other edit kept.
using SasautosUndo = std::function<std::string(
    std::string_view content, std::string_view macro_folder, const SasautosChange& change)>;

enum class UninstallAction {
    removed,        // deleted, or the SASAUTOS entry taken out
    already_gone,   // nothing of it was there any more
    kept_changed,   // a file whose bytes changed since the installation wrote them
    kept_not_empty, // a folder that holds something the installation did not write
    left_as_before, // a SASAUTOS list the installation did not change
    not_ours,       // the record names something this program never makes: left untouched
    left_listed,    // the SASAUTOS entry is not where the installation put it, yet the
                    // folder is still listed: left for the administrator
    failed,         // not done; the detail says why and the record keeps the item
};

struct UninstallLine {
    UninstallAction action = UninstallAction::removed;
    std::string path;
    std::string detail;
};

struct UninstallReport {
    std::vector<UninstallLine> lines; // in the order done
    // What is still to be undone. Unless it is empty, the record file now holds just this,
    // so that running the uninstallation again retries only what failed.
    SetupRecord remaining;
    bool record_removed = false;
};

// Undoes what the record says in the reverse order of the installation: morvane.cfg, the
// SASAUTOS updates (newest first), the shortcuts, the other files whose bytes are still
// those written (newest first), the folders it created that are now empty (newest first).
// The record file in the program folder goes last, and only when nothing failed. Only
// what places holds is touched; anything else the record names is reported as not_ours.
UninstallReport uninstall(const SetupRecord& record, const OwnPlaces& places, FileSystem& files,
                          Shell& shell, Hashing& hashing, const SasautosUndo& undo_sasautos);

// The action, the path, and why where it is not plain: "kept D:\Kit\saspgm\a.sas: changed
// since the installation".
std::string to_text(const UninstallLine& line);

} // namespace morvane
