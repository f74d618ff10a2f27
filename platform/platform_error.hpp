#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace morvane {

// A failure as the platform words it; the description is what the user sees.
struct PlatformError {
    // not_installed: what a run needs is not on the machine (a SAS release).
    // access_denied: the system refused the account what was asked.
    enum class Kind { not_found, other, not_empty, not_installed, access_denied };
    Kind kind = Kind::other;
    std::string description;

    bool is_not_found() const { return kind == Kind::not_found; }
    bool is_not_empty() const { return kind == Kind::not_empty; }
};

// Empty on success.
using Failure = std::optional<PlatformError>;

// A value or the platform's description of why there is none.
template <class T> class Result {
  public:
    Result(T value) : content_(std::move(value)) {}
    Result(PlatformError error) : content_(std::move(error)) {}

    bool ok() const { return std::holds_alternative<T>(content_); }
    const T& value() const { return std::get<T>(content_); }
    const PlatformError& error() const { return std::get<PlatformError>(content_); }

  private:
    std::variant<T, PlatformError> content_;
};

} // namespace morvane
