#include "app/record/setup_record.hpp"
#include "app/record/record_journal.hpp"
#include "app/reporting/link_refusal.hpp"
#include "text/ascii.hpp"

#include "integration/sasautos_syntax.hpp"
#include "text/lines.hpp"

#include <algorithm>
#include <optional>
#include <set>
#include <string_view>

namespace morvane {
namespace {

constexpr std::string_view line_end = "\r\n";

constexpr std::string_view release_section = "Release";
constexpr std::string_view user_section = "User";
constexpr std::string_view folders_section = "Folders created";
constexpr std::string_view files_section = "Files written";
constexpr std::string_view shortcuts_section = "Shortcuts saved";
constexpr std::string_view sasautos_section = "SAS configuration";

// A value that a reader would trim, or that starts like a quoted one, goes between
// double quotes; the reader takes everything between the first and the last quote, so
// quotes inside need no escape and every byte but a line break comes back as it was.
bool needs_quotes(std::string_view value) {
    return !value.empty() &&
           (is_blank(value.front()) || is_blank(value.back()) || value.front() == '"');
}

std::string read_value(std::string_view text) {
    const auto value = trimmed(text);
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        return std::string(value.substr(1, value.size() - 2));
    return std::string(value);
}

std::string_view yes_no(bool value) {
    return value ? "yes" : "no";
}

std::string_view scope_name(ShortcutScope scope) {
    return scope == ShortcutScope::all_users ? "all users" : "current user";
}

std::string_view outcome_name(SasautosOutcome outcome) {
    switch (outcome) {
    case SasautosOutcome::updated:
        return "updated";
    case SasautosOutcome::already_listed:
        return "already listed";
    case SasautosOutcome::no_list:
        return "no list";
    }
    return "";
}

class Writer {
  public:
    // A whole record, written after every step, fits without growing.
    Writer() { text_.reserve(4096); }
    void comment(std::string_view text) { (text_ += "; ").append(text) += line_end; }
    void section(std::string_view name) {
        (((text_ += line_end) += "[") += name) += "]";
        text_ += line_end;
    }
    void value(std::string_view key, std::string_view value) {
        const std::string_view quote = needs_quotes(value) ? "\"" : "";
        ((((text_ += key) += "=") += quote) += value) += quote;
        text_ += line_end;
    }
    std::string text() && { return std::move(text_); }

  private:
    std::string text_;
};

} // namespace

std::string to_text(const SetupRecord& record) {
    Writer out;
    out.comment("Morvane setup record: what the installation did, so that the setup program "
                "can check it and undo it.");
    out.comment("A value that begins or ends with a blank, or begins with a double quote, "
                "stands between double quotes.");
    out.section(release_section);
    out.value("Version", record.sas_version);
    if (record.scope)
        out.value("Scope", scope_name(*record.scope));
    if (!record.program_folder.empty())
        out.value("ProgramFolder", record.program_folder);
    if (!record.journal.empty())
        out.value("Journal", record.journal);
    if (record.user) {
        out.section(user_section);
        out.value("SID", record.user->sid);
        out.value("Desktop", record.user->desktop);
        out.value("Programs", record.user->programs);
    }
    out.section(folders_section);
    for (const auto& folder : record.folders_created)
        out.value("Folder", folder);
    out.section(files_section);
    for (const auto& file : record.files_written) {
        out.value("File", file.path);
        out.value("SHA256", file.sha256);
    }
    out.section(shortcuts_section);
    for (const auto& shortcut : record.shortcuts_saved)
        out.value("Shortcut", shortcut);
    for (const auto& sasautos : record.sasautos) {
        out.section(sasautos_section);
        out.value("File", sasautos.config_file);
        out.value("MacroFolder", sasautos.macro_folder);
        out.value("Outcome", outcome_name(sasautos.outcome));
        out.value("FinalEmptyLineAdded", yes_no(sasautos.change.final_empty_line_added));
        out.value("LineEndsRewritten", yes_no(sasautos.change.line_ends_rewritten));
        for (const auto& insertion : sasautos.change.insertions) {
            out.value("Setting", std::to_string(insertion.setting));
            out.value("Moved", insertion.moved);
            out.value("BlankAdded", yes_no(insertion.blank_added));
        }
    }
    return std::move(out).text();
}

namespace {

bool is_sha256(std::string_view text) {
    return text.size() == 64 && text.find_first_not_of("0123456789abcdef") == std::string::npos;
}

std::optional<bool> parse_yes_no(std::string_view text) {
    if (text == "yes")
        return true;
    if (text == "no")
        return false;
    return std::nullopt;
}

std::optional<SasautosOutcome> parse_outcome(std::string_view text) {
    for (const auto outcome :
         {SasautosOutcome::updated, SasautosOutcome::already_listed, SasautosOutcome::no_list})
        if (text == outcome_name(outcome))
            return outcome;
    return std::nullopt;
}

struct Problem {
    int line = 0; // 0: the record as a whole
    std::string text;
};

// A count written in decimal digits only.
std::optional<std::size_t> parse_count(std::string_view text) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != text.npos)
        return std::nullopt;
    return static_cast<std::size_t>(std::stoul(std::string(text)));
}

// Reads the record line by line. A setting that needs a partner on the next setting line
// (File= its SHA256=; Setting= its Moved=, which needs its BlankAdded=) is "pending" until
// the partner comes, and a missing partner is blamed on the line that wanted it.
class RecordParser {
  public:
    std::optional<Problem> line(std::string_view text, int number) {
        number_ = number;
        const auto content = trimmed(text);
        if (content.empty() || content.front() == ';')
            return std::nullopt;
        if (content.front() == '[') {
            if (auto problem = finish_section())
                return problem;
            return here(start_section(content));
        }
        const auto equals = content.find('=');
        if (equals == std::string_view::npos)
            return here("expected a section such as [Files written] or a setting such as File=...");
        if (section_.empty())
            return here("a setting before the first section");
        const auto key = trimmed(content.substr(0, equals));
        if (key.empty())
            return here("a setting without a name");
        return setting(std::string(key), read_value(content.substr(equals + 1)));
    }

    std::optional<Problem> finish() {
        if (auto problem = finish_section())
            return problem;
        if (!version_seen_)
            return Problem{0, "it names no release ([Release] with Version=... is missing)"};
        return std::nullopt;
    }

    SetupRecord record() && { return std::move(record_); }

  private:
    std::optional<Problem> here(std::optional<std::string> text) const {
        if (!text)
            return std::nullopt;
        return Problem{number_, std::move(*text)};
    }
    std::optional<Problem> pending_problem() const {
        if (pending_line_ == 0)
            return std::nullopt;
        return Problem{pending_line_, pending_};
    }

    std::optional<std::string> start_section(std::string_view content) {
        if (content.back() != ']')
            return "a section name without its closing \"]\"";
        const std::string name(trimmed(content.substr(1, content.size() - 2)));
        if (name != release_section && name != user_section && name != folders_section &&
            name != files_section && name != shortcuts_section && name != sasautos_section)
            return "unknown section [" + name + "]";
        // One section per update of a SAS configuration file; the others come once.
        if (!sections_seen_.insert(name).second && name != sasautos_section)
            return "a second [" + name + "] section";
        section_ = name;
        section_line_ = number_;
        keys_seen_.clear();
        if (name == sasautos_section)
            record_.sasautos.emplace_back();
        if (name == user_section)
            record_.user.emplace();
        return std::nullopt;
    }

    std::optional<Problem> finish_section() {
        if (auto problem = pending_problem())
            return problem;
        if (section_ == sasautos_section &&
            (!keys_seen_.count("File") || !keys_seen_.count("Outcome")))
            return Problem{section_line_,
                           "[SAS configuration] needs both File=... and Outcome=..."};
        return std::nullopt;
    }

    // A setting that names one fact may appear once in its section.
    bool first_time(const std::string& key) { return keys_seen_.insert(key).second; }

    std::optional<Problem> setting(const std::string& key, std::string value) {
        const auto unknown = "unknown setting \"" + key + "\" in [" + section_ + "]";
        if (section_ == files_section)
            return file_setting(key, std::move(value), unknown);
        if (section_ == sasautos_section)
            return sasautos_setting(key, std::move(value), unknown);
        if (section_ == release_section || section_ == user_section)
            return once_setting(key, std::move(value), unknown);
        if (section_ == folders_section) {
            if (key != "Folder")
                return here(unknown);
            record_.folders_created.push_back(std::move(value));
        } else {
            if (key != "Shortcut")
                return here(unknown);
            record_.shortcuts_saved.push_back(std::move(value));
        }
        return std::nullopt;
    }

    // The settings of [Release] and [User], each naming one fact.
    std::optional<Problem> once_setting(const std::string& key, std::string value,
                                        const std::string& unknown) {
        auto& user = record_.user;
        std::string* const target = section_ == user_section
                                        ? (key == "SID"        ? &user->sid
                                           : key == "Desktop"  ? &user->desktop
                                           : key == "Programs" ? &user->programs
                                                               : nullptr)
                                        : (key == "Version"         ? &record_.sas_version
                                           : key == "ProgramFolder" ? &record_.program_folder
                                           : key == "Journal"       ? &record_.journal
                                                                    : nullptr);
        if (target == nullptr && !(section_ == release_section && key == "Scope"))
            return here(unknown);
        if (!first_time(key))
            return here("a second " + key + "=");
        version_seen_ |= key == "Version";
        if (target != nullptr) {
            *target = std::move(value);
            return std::nullopt;
        }
        for (const auto scope : {ShortcutScope::current_user, ShortcutScope::all_users})
            if (value == scope_name(scope)) {
                record_.scope = scope;
                return std::nullopt;
            }
        return here("Scope= must be \"current user\" or \"all users\"");
    }

    std::optional<Problem> file_setting(const std::string& key, std::string value,
                                        const std::string& unknown) {
        if (key == "File") {
            if (auto problem = pending_problem())
                return problem;
            record_.files_written.push_back({std::move(value), ""});
            expect("SHA256", "File= is not followed by its SHA256=");
        } else if (key == "SHA256") {
            if (pending_key_ != key)
                return here("SHA256= without the File= it belongs to just before it");
            if (!is_sha256(value))
                return here("SHA256= needs 64 lower-case hexadecimal digits");
            record_.files_written.back().sha256 = std::move(value);
            pending_line_ = 0;
            pending_key_.clear();
        } else {
            return here(unknown);
        }
        return std::nullopt;
    }

    std::optional<Problem> sasautos_setting(const std::string& key, std::string value,
                                            const std::string& unknown) {
        auto& sasautos = record_.sasautos.back();
        auto& change = sasautos.change;
        if (key == "Setting") {
            if (auto problem = pending_problem())
                return problem;
            const auto setting = parse_count(value);
            if (!setting)
                return here("Setting= needs the number of the SASAUTOS list, counted from 0");
            change.insertions.push_back({*setting, "", false});
            expect("Moved", "Setting= is not followed by its Moved=");
            return std::nullopt;
        }
        if (key == "Moved") {
            if (pending_key_ != key)
                return here("Moved= without the Setting= it belongs to just before it");
            change.insertions.back().moved = std::move(value);
            expect("BlankAdded", "Moved= is not followed by its BlankAdded=");
            return std::nullopt;
        }
        if (key == "BlankAdded") {
            if (pending_key_ != key)
                return here("BlankAdded= without the Moved= it belongs to just before it");
            pending_line_ = 0;
            pending_key_.clear();
            return here(flag(value, change.insertions.back().blank_added));
        }
        if (key != "File" && key != "MacroFolder" && key != "Outcome" &&
            key != "FinalEmptyLineAdded" && key != "LineEndsRewritten")
            return here(unknown);
        if (!first_time(key))
            return here("a second " + key + "=");
        if (key == "File") {
            sasautos.config_file = std::move(value);
        } else if (key == "MacroFolder") {
            sasautos.macro_folder = std::move(value);
        } else if (key == "Outcome") {
            const auto outcome = parse_outcome(value);
            if (!outcome)
                return here("Outcome= must be \"updated\", \"already listed\" or \"no list\"");
            sasautos.outcome = *outcome;
        } else if (key == "FinalEmptyLineAdded") {
            return here(flag(value, change.final_empty_line_added));
        } else {
            return here(flag(value, change.line_ends_rewritten));
        }
        return std::nullopt;
    }

    static std::optional<std::string> flag(const std::string& value, bool& target) {
        const auto parsed = parse_yes_no(value);
        if (!parsed)
            return "expected \"yes\" or \"no\"";
        target = *parsed;
        return std::nullopt;
    }

    void expect(std::string key, std::string problem) {
        pending_line_ = number_;
        pending_key_ = std::move(key);
        pending_ = std::move(problem);
    }

    SetupRecord record_;
    std::string section_;
    int section_line_ = 0;
    std::set<std::string> sections_seen_;
    std::set<std::string> keys_seen_;
    bool version_seen_ = false;
    int number_ = 0;
    int pending_line_ = 0;
    std::string pending_key_; // the partner the pending line wants next
    std::string pending_;
};

// An editor may have saved the record with a byte order mark or other line ends.
std::vector<std::string_view> lines_of(std::string_view text) {
    text = without_utf8_mark(text);
    std::vector<std::string_view> lines;
    LineReader reader(text);
    for (auto line = reader.line_at(0); line.begin < text.size(); line = reader.line_at(line.next))
        lines.push_back(line.text(text));
    return lines;
}

// record_name starts the description of a failure: "The setup record" and where it is.
Result<SetupRecord> parse_named(const std::string& text, const std::string& record_name) {
    const auto lines = lines_of(text);
    RecordParser parser;
    std::optional<Problem> problem;
    for (std::size_t i = 0; i < lines.size() && !problem; ++i)
        problem = parser.line(lines[i], static_cast<int>(i) + 1);
    if (!problem)
        problem = parser.finish();
    if (!problem)
        return std::move(parser).record();
    std::string where;
    if (problem->line > 0)
        where = " at line " + std::to_string(problem->line) + " (\"" +
                std::string(lines[problem->line - 1]) + "\")";
    return PlatformError{PlatformError::Kind::other,
                         record_name + " cannot be read" + where + ": " + problem->text + "."};
}

} // namespace

Result<SetupRecord> parse_setup_record(const std::string& text) {
    return parse_named(text, "The setup record");
}

namespace {

// What a link names is someone else's file, not this folder's record.
Result<std::string> read_unlinked(FileSystem& files, const std::string& path) {
    if (const auto refused = refuse_links(files, {path}))
        return *refused;
    return files.read_file(path);
}

} // namespace

Result<SetupRecord> read_setup_record(FileSystem& files, const std::string& path) {
    const auto text = read_unlinked(files, path);
    if (!text.ok())
        return text.error();
    const auto parsed = parse_named(text.value(), "The setup record \"" + path + "\"");
    if (!parsed.ok() || parsed.value().journal.empty())
        return parsed;
    auto record = parsed.value();
    const auto named = std::move(record.journal);
    record.journal.clear();
    if (!is_journal_name(named))
        return record;
    const auto journal = journal_path(path, named);
    const auto journal_text = read_unlinked(files, journal);
    if (!journal_text.ok())
        return journal_text.error().is_not_found() ? Result<SetupRecord>(record)
                                                   : journal_text.error();
    record.journal = named;
    // A run stopped in the middle of adding a state leaves the one before it whole.
    const auto latest = latest_journal_state(journal_text.value());
    if (!latest)
        return record;
    const auto state = parse_named(std::string(*latest), "The setup journal \"" + journal + "\"");
    if (!state.ok())
        return state;
    auto latest_record = state.value();
    latest_record.journal = named;
    return latest_record;
}

} // namespace morvane
