#pragma once

namespace morvane {

// Two copies of the setup at once would write the same files in turn.
class SingleInstance {
  public:
    virtual ~SingleInstance() = default;
    // Claims the machine for this copy until the program ends; false when another copy
    // holds it.
    virtual bool claim() = 0;
};

} // namespace morvane
