#pragma once

namespace morvane {

class Pause {
  public:
    virtual ~Pause() = default;
    virtual void milliseconds(int count) = 0;
};

} // namespace morvane
