#include "app/reporting/reporter.hpp"

namespace morvane {

void Reporters::status(const std::string& line) {
    for (auto* place : places_)
        place->status(line);
}

void Reporters::note(const std::string& line) {
    for (auto* place : places_)
        place->note(line);
}

void Reporters::error(const std::string& line) {
    for (auto* place : places_)
        place->error(line);
}

void Reporters::box(const std::string& text, const std::string& title, MessageIcon icon) {
    for (auto* place : places_)
        place->box(text, title, icon);
}

std::optional<bool> Reporters::ask(const std::string& question, const std::string& title) {
    for (auto* place : places_)
        if (const auto answer = place->ask(question, title))
            return answer;
    return std::nullopt;
}

void report_failure(Reporter& reporter, const std::string& text) {
    reporter.error(text);
    reporter.box(text, "Error!", MessageIcon::critical);
}

bool confirmed(Reporter& reporter, const std::string& question, const std::string& title) {
    return reporter.ask(question, title).value_or(true);
}

} // namespace morvane
