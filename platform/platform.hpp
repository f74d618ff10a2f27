#pragma once

#include "platform/account.hpp"
#include "platform/computer.hpp"
#include "platform/file_system.hpp"
#include "platform/hashing.hpp"
#include "platform/message_box.hpp"
#include "platform/pause.hpp"
#include "platform/program_location.hpp"
#include "platform/registry.hpp"
#include "platform/shell.hpp"
#include "platform/text_encoding.hpp"

namespace morvane {

// Every service of the outside world that the setup uses, except the window.
struct Platform {
    Registry& registry;
    FileSystem& files;
    TextEncoding& encoding;
    Shell& shell;
    ProgramLocation& location;
    Pause& pause;
    MessageBoxes& messages;
    Hashing& hashing;
    Account& account;
    Computer& computer;
};

} // namespace morvane
