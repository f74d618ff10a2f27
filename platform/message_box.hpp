#pragma once

#include <string>

namespace morvane {

enum class MessageIcon { critical, information };

// Modal boxes.
class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    // One OK button.
    virtual void show(const std::string& text, const std::string& title, MessageIcon icon) = 0;
    // A question with Yes and No buttons; true for Yes. Closing the box answers No.
    virtual bool ask(const std::string& text, const std::string& title) = 0;
};

} // namespace morvane
