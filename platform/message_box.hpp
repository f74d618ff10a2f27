#pragma once

#include <string>

namespace morvane {

enum class MessageIcon { critical, information };

// Modal, with one OK button.
class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    virtual void show(const std::string& text, const std::string& title, MessageIcon icon) = 0;
};

} // namespace morvane
