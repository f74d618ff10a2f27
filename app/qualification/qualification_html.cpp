#include "app/qualification/qualification_html.hpp"

#include "app/qualification/html_text.hpp"

namespace morvane {
namespace {

constexpr const char* title = "Installation Qualification \xE2\x80\x94 Morvane macro library";

constexpr const char* style = R"(
@page { size: A4; margin: 20mm; }
body { font-family: "DejaVu Sans", Arial, sans-serif; font-size: 9pt; color: #000;
       max-width: 170mm; margin: 0 auto; }
h1 { font-size: 15pt; margin: 0 0 3mm; }
h2 { font-size: 11pt; margin: 6mm 0 2mm; border-bottom: 1px solid #666; }
table { width: 100%; border-collapse: collapse; table-layout: fixed; }
th, td { border: 1px solid #999; padding: 1mm 1.5mm; text-align: left; vertical-align: top;
         overflow-wrap: anywhere; }
thead { display: table-header-group; }
tr { break-inside: avoid; }
.facts th { width: 48mm; background: #f2f2f2; }
.items th { background: #f2f2f2; }
.code { font-family: "DejaVu Sans Mono", Consolas, monospace; font-size: 7.5pt; }
.members td, .members th { border: none; border-top: 1px solid #ddd; padding: 0.5mm 1mm; }
.outcome { font-size: 14pt; font-weight: bold; border: 2px solid; padding: 2mm 3mm; }
.PASS { color: #075d07; }
.FAIL, .MISSING { color: #a30000; font-weight: bold; }
.result { white-space: nowrap; }
.NOTE { color: #8a5a00; font-weight: bold; }
.signatures td { height: 12mm; }
pre { white-space: pre-wrap; overflow-wrap: anywhere; border: 1px solid #999; padding: 2mm; }
)";

std::string result_text(ItemResult result) {
    switch (result) {
    case ItemResult::pass:
        return "PASS";
    case ItemResult::fail:
        return "FAIL (changed)";
    case ItemResult::missing:
        return "MISSING";
    case ItemResult::note:
        return "NOTE";
    }
    return "";
}

std::string result_class(ItemResult result) {
    const auto text = result_text(result);
    return text.substr(0, text.find(' '));
}

class Page {
  public:
    void raw(const std::string& html) { html_ += html; }
    void fact(const std::string& name, const std::string& value_html) {
        html_ += "<tr><th>" + name + "</th><td>" + value_html + "</td></tr>\n";
    }
    void facts_begin(const std::string& heading) {
        html_ += "<h2>" + heading + "</h2>\n<table class=\"facts\">\n";
    }
    void table_end() { html_ += "</table>\n"; }
    std::string html() && { return std::move(html_); }

  private:
    std::string html_;
};

std::string code(const std::string& text) {
    return "<span class=\"code\">" + html_text(text) + "</span>";
}
std::string path(const std::string& text) {
    return "<span class=\"code\">" + html_path(text) + "</span>";
}

std::string file_evidence(const FileEvidence& file) {
    const auto found = file.found_sha256
                           ? code(*file.found_sha256)
                           : (file.unreadable.empty() ? "none" : html_text(file.unreadable));
    auto size = file.found_size ? std::to_string(*file.found_size) : std::string("none");
    if (!file.found_size || *file.found_size != file.expected_size)
        size += " (expected " + std::to_string(file.expected_size) + ")";
    return "<td>" + code(file.expected_sha256) + "</td><td>" + found + "</td><td>" + size + "</td>";
}

std::string shortcut_evidence(const ShortcutEvidence& shortcut) {
    std::string html = "<td colspan=\"3\">";
    if (!shortcut.unreadable.empty())
        html += "Cannot be read: " + html_text(shortcut.unreadable);
    html += "<table class=\"members\"><tr><th style=\"width:19mm\">Member</th><th>As this "
            "program sets it</th><th style=\"width:20mm\">Found</th></tr>";
    for (const auto& member : shortcut.members) {
        const auto found = !member.found ? std::string("none")
                           : *member.found == member.expected
                               ? std::string("the same")
                               : "<span class=\"FAIL\">" + path(*member.found) + "</span>";
        html += "<tr><td>" + html_text(member.member) + "</td><td>" + path(member.expected) +
                "</td><td>" + found + "</td></tr>";
    }
    return html + "</table></td>";
}

std::string evidence_cells(const QualificationRow& row) {
    if (const auto* file = std::get_if<FileEvidence>(&row.evidence))
        return file_evidence(*file);
    if (const auto* shortcut = std::get_if<ShortcutEvidence>(&row.evidence))
        return shortcut_evidence(*shortcut);
    return "<td colspan=\"3\">" + html_text(std::get<Finding>(row.evidence).text) + "</td>";
}

void what_was_qualified(Page& page, const QualifiedInstallation& installation) {
    page.facts_begin("What was qualified");
    page.fact("Program folder", path(installation.program_folder));
    page.fact("Setup program", path(installation.program_file));
    page.fact("Version resource", html_text(installation.program_version));
    page.fact("SHA-256 of the setup program", code(installation.program_sha256));
    page.fact("SAS release", html_text(installation.release));
    page.fact("SAS root", path(installation.sas_root));
    page.fact("Registry view", html_text(installation.registry_view));
    page.fact("Configuration file with the SASAUTOS entry", path(installation.sas_config_file));
    page.fact("Shortcut scope", html_text(installation.scope));
    page.table_end();
}

void where_and_when(Page& page, const CheckCircumstances& circumstances) {
    const auto& computer = circumstances.computer;
    page.facts_begin("Where and when");
    page.fact("Computer", html_text(computer.name));
    page.fact("Windows", "version " + html_text(computer.windows_version) + ", build " +
                             html_text(computer.windows_build));
    page.fact("Architecture", html_text(computer.architecture));
    page.fact("32-bit process on 64-bit Windows", computer.wow64 ? "yes" : "no");
    page.fact("Account", html_text(circumstances.account));
    page.fact("Elevated", html_text(circumstances.elevated));
    page.fact("Date and time (local)", html_text(circumstances.local_time));
    page.fact("Date and time (UTC)", html_text(circumstances.utc_time));
    page.table_end();
}

void items(Page& page, const std::vector<QualificationRow>& rows) {
    page.raw("<h2>Items</h2>\n<table class=\"items\">\n<thead><tr><th style=\"width:7mm\">#</th>"
             "<th style=\"width:44mm\">Item</th><th>SHA-256 this program writes</th>"
             "<th>SHA-256 found</th><th style=\"width:15mm\">Size (bytes)</th>"
             "<th style=\"width:28mm\">Result</th></tr></thead>\n");
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto& row = rows[i];
        page.raw("<tr><td>" + std::to_string(i + 1) + "</td><td>" + path(row.item) + "</td>" +
                 evidence_cells(row) + "<td class=\"result " + result_class(row.result) + "\">" +
                 result_text(row.result) + "</td></tr>\n");
    }
    page.table_end();
}

void signatures(Page& page) {
    page.raw("<h2>Signatures</h2>\n<table class=\"signatures\">\n<tr><th style=\"width:30mm\">"
             "</th><th>Name</th><th>Signature</th><th style=\"width:30mm\">Date</th></tr>\n");
    for (const auto* role : {"Performed by", "Reviewed by", "Approved by"})
        page.raw(std::string("<tr><th>") + role + "</th><td></td><td></td><td></td></tr>\n");
    page.table_end();
}

} // namespace

std::string qualification_html(const Qualification& qualification) {
    const auto outcome = outcome_of(qualification.rows);
    const auto outcome_words = outcome_text(outcome);
    Page page;
    page.raw(std::string("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                         "<title>") +
             title + "</title>\n<style>" + style + "</style>\n</head>\n<body>\n<h1>" + title +
             "</h1>\n");
    page.raw("<p class=\"outcome " + std::string(outcome.failed > 0 ? "FAIL" : "PASS") +
             "\">Outcome: " + outcome_words + "</p>\n");
    what_was_qualified(page, qualification.installation);
    where_and_when(page, qualification.circumstances);
    items(page, qualification.rows);
    signatures(page);
    page.raw("<h2>The command that reproduces the check</h2>\n<pre>" +
             html_text(qualification.command) + "</pre>\n</body>\n</html>\n");
    return std::move(page).html();
}

} // namespace morvane
