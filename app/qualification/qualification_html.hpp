#pragma once

#include "app/qualification/qualification.hpp"

#include <string>

namespace morvane {

// The report as one self-contained UTF-8 HTML page: inline CSS, no scripts, nothing
// loaded from elsewhere, printable on A4 within 170 mm. Every text from the machine is
// escaped.
std::string qualification_html(const Qualification& qualification);

} // namespace morvane
