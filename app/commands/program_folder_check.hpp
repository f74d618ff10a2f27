#pragma once

#include "platform/platform.hpp"

#include <string>

namespace morvane {

// The spelling of the program folder a command builds every path from. The setup record
// names the folder it was written in (one of an earlier release names none). When the
// setup runs from that folder under another spelling (another drive letter, a server
// alias, an 8.3 name: the same folder by volume and index), the record's spelling is
// taken, so that the recorded paths match. Otherwise the folder the setup runs from.
// must_match: a record of another folder fails, naming it, and stays as it is.
Result<std::string> working_program_folder(Platform& platform, bool must_match);

// The program's place with its folder spelled as given.
class SpelledProgramLocation : public ProgramLocation {
  public:
    SpelledProgramLocation(std::string folder, ProgramLocation& actual)
        : folder_(std::move(folder)), actual_(actual) {}
    std::string program_folder() override { return folder_; }
    std::string program_stem() override { return actual_.program_stem(); }

  private:
    std::string folder_;
    ProgramLocation& actual_;
};

// The same services with the program found at location.
Platform in_location(const Platform& platform, ProgramLocation& location);

} // namespace morvane
