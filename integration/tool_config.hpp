#pragma once

#include "macros/sas_file_writer.hpp"

namespace morvane {

// Writes morvane.cfg, the configuration that makes SAS start as Morvane.
Failure write_tool_config(const SasFileWriter& writer);

} // namespace morvane
