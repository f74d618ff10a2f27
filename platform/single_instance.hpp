#pragma once

#include <string>

namespace morvane {

// What asking for the guard against a second copy gave.
struct InstanceClaim {
    enum class Outcome {
        claimed,     // this copy holds the guard until the program ends
        found,       // the guard was there already
        unavailable, // the system made no guard: nothing tells copies apart
    };
    Outcome outcome = Outcome::claimed;
    // A guard found: its owner's SID ("S-1-5-32-544"), empty when this account cannot read
    // it; and the owner's account name for the log.
    std::string owner_sid;
    std::string owner_name;
};

// Two copies of the setup at once would write the same files in turn.
class SingleInstance {
  public:
    virtual ~SingleInstance() = default;
    virtual InstanceClaim claim() = 0;
};

} // namespace morvane
