#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace morvane::win32 {

// The groups that any standard user belongs to ("Users", "Authenticated Users", "Everyone",
// "INTERACTIVE") which the list allows, for the object itself, to add, change or replace
// files, or to take the object over. A missing list allows everything to Everyone.
std::vector<std::string> groups_granted_change(const ACL* dacl);

} // namespace morvane::win32
