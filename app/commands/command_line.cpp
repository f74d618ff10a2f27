#include "app/commands/command_line.hpp"

#include "text/ascii.hpp"

namespace morvane {
namespace {

PlatformError bad_line(std::string text) {
    return PlatformError{PlatformError::Kind::other, std::move(text)};
}

bool is_silence_switch(const std::string& argument) {
    if (argument.size() < 2 || (argument[0] != '/' && argument[0] != '-'))
        return false;
    const auto name = ascii_lower(argument.substr(1));
    return name == "silent" || name == "quiet" || name == "q" || name == "whatif";
}

std::optional<Command> lifecycle_command(const std::string& name) {
    if (name == "verify")
        return Command::verify;
    if (name == "repair")
        return Command::repair;
    if (name == "uninstall")
        return Command::uninstall;
    if (name == "whatif")
        return Command::whatif;
    return std::nullopt;
}

std::optional<ShortcutScope> scope_switch(const std::string& name) {
    if (name == "allusers")
        return ShortcutScope::all_users;
    if (name == "currentuser")
        return ShortcutScope::current_user;
    return std::nullopt;
}

} // namespace

bool asks_for_silence(const std::vector<std::string>& arguments) {
    for (const auto& argument : arguments)
        if (is_silence_switch(argument))
            return true;
    return false;
}

Result<CommandLine> parse_command_line(const std::vector<std::string>& arguments) {
    CommandLine options;
    for (const auto& argument : arguments) {
        if (argument.size() < 2 || (argument[0] != '/' && argument[0] != '-'))
            return bad_line("Unknown argument \"" + argument + "\".");
        const auto equals = argument.find('=');
        const auto name = ascii_lower(
            argument.substr(1, equals == std::string::npos ? std::string::npos : equals - 1));
        const auto value = equals == std::string::npos ? std::optional<std::string>()
                                                       : argument.substr(equals + 1);
        if (const auto command = value ? std::nullopt : lifecycle_command(name)) {
            if (options.command != Command::install && options.command != *command)
                return bad_line("Use only one of /verify, /repair, /uninstall and /whatif.");
            options.command = *command;
            options.silent = options.silent || command == Command::whatif;
        } else if (const auto scope = value ? std::nullopt : scope_switch(name)) {
            if (options.scope && options.scope != scope)
                return bad_line("Use only one of /allusers and /currentuser.");
            options.scope = scope;
        } else if (is_silence_switch(argument)) {
            options.silent = true;
        } else if ((name == "?" || name == "help") && !value) {
            options.help = true;
        } else if (name == "sas" && value) {
            options.release = release_with_switch_value(*value);
            if (options.release == nullptr)
                return bad_line("Unknown SAS version \"" + *value + "\": use " +
                                switch_values(", ", " or ") + ".");
        } else if (name == "log" && value && !value->empty()) {
            options.log_file = *value;
        } else if (name == "report" && value && !value->empty()) {
            options.report_file = *value;
        } else {
            return bad_line("Unknown switch \"" + argument + "\".");
        }
    }
    if (options.report_file &&
        (options.command == Command::uninstall || options.command == Command::whatif))
        return bad_line("/report comes with /verify, /repair or an installation only.");
    return options;
}

std::optional<std::string> refused_for_account(const CommandLine& options,
                                               const ProcessAccount& account) {
    if (!account.service || options.scope != ShortcutScope::current_user)
        return std::nullopt;
    return "/currentuser cannot be used by " + account.name +
           ", a service account: no person ever sees its desktop or Start menu. Leave it out "
           "to set up for all users.";
}

int exit_code_of(const PlatformError& failure) {
    return failure.kind == PlatformError::Kind::not_installed ? exit_no_sas : exit_step_failed;
}

std::string usage_text(const std::string& program_name) {
    return "Usage: " + program_name +
           " [/verify|/repair|/uninstall|/whatif] [/silent] [/sas=" + switch_values("|", "|") +
           "] [/allusers|/currentuser] [/log=FILE] [/report=FILE]\n"
           "\n"
           "  /silent, /quiet, /q  Run without a window or message boxes.\n"
           "  /sas=VERSION         The SAS System version to set up: " +
           switch_values(", ", " or ") +
           ".\n"
           "                       Without it, the newest installed version.\n"
           "  /allusers            Make the shortcuts and Start-menu folders for all users.\n"
           "  /currentuser         Make them for the user running the setup; not as a\n"
           "                       service account. Without either, all users when the\n"
           "                       setup runs as a service account or AllUsers is 1.\n"
           "  /log=FILE            Also append every status and error line to FILE.\n"
           "  /report=FILE         Also write the installation qualification report to\n"
           "                       FILE (HTML), checked after installing or repairing.\n"
           "  /verify              Check every part of the installation; change nothing.\n"
           "  /repair              Install again the release the setup record names.\n"
           "  /uninstall           Undo what the setup record says the installation did.\n"
           "  /whatif              Show what an installation would do; change nothing.\n"
           "  /?, /help            Show this text.\n"
           "\n"
           "Exit codes: 0 done, 1 a step failed, 2 bad command line, 3 no SAS version\n"
           "(or not the one asked for) is installed, 4 /verify found something missing\n"
           "or changed, 5 left without installing or uninstall declined, 1618 another\n"
           "copy is running.\n";
}

} // namespace morvane
