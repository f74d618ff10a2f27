#include "app/qualification/html_text.hpp"
#include "app/qualification/qualification_html.hpp"

#include <gtest/gtest.h>

namespace morvane::testing {
namespace {

TEST(HtmlText, ShowsHostileTextAsText) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"R&D's Kit", "R&amp;D&#39;s Kit"},
        {"&lt; stays as typed", "&amp;lt; stays as typed"},
        {std::string("nul\0bell\x07", 9), "nul&#xFFFD;bell&#xFFFD;"},
        {"Ärger \xE2\x80\x94 café", "Ärger \xE2\x80\x94 café"},
    };
    for (const auto& [text, html] : cases)
        EXPECT_EQ(html_text(text), html) << text;
    EXPECT_EQ(html_path("C:\\R&D's Kit\\saspgm\\"), "C:\\<wbr>R&amp;D&#39;s Kit\\<wbr>saspgm\\");
}

Qualification hostile_qualification() {
    Qualification q;
    q.installation = {"D:\\R&D's Kit", "setup<1>.exe", "1.0.0.0", "",
                      "SAS 9.1",       "<b>",          "32-bit",  "C:\\SAS\\<i>\\SASV9.CFG",
                      "current user"};
    q.circumstances = {{"WS&<0042>", "10.0", "19045", "x64", true},
                       "CORP\\<u>ana</u>",
                       "yes",
                       "2026-12-09 08:13:00 +01:00",
                       "2026-12-09 07:13:00 UTC"};
    FileEvidence file{std::string(64, 'b'), 10, std::string(64, 'c'), 11, ""};
    ShortcutEvidence shortcut{{{"Description", "Morvane", "\"><script>x</script>"}}, ""};
    q.rows = {{"D:\\R&D's Kit\\saspgm\\a&b.sas", ItemResult::fail, file},
              {"C:\\Users\\<img src=x>\\Morvane.lnk", ItemResult::fail, shortcut},
              {"C:\\SAS\\<i>\\SASV9.CFG", ItemResult::note, Finding{"no list <here>"}}};
    q.command = "\"D:\\R&D's Kit\\setup.exe\" /verify \"/report=<r>.html\"";
    return q;
}

TEST(QualificationHtml, EscapesEveryTextFromTheMachineAndLoadsNothing) {
    const auto html = qualification_html(hostile_qualification());
    for (const auto* markup : {"<b>", "<i>", "<u>", "<img", "<script", "<0042>", "<r>", "<here>"})
        EXPECT_EQ(html.find(markup), std::string::npos) << markup;
    for (const auto* shown : {"D:\\<wbr>R&amp;D&#39;s Kit", "&lt;b&gt;", "WS&amp;&lt;0042&gt;",
                              "CORP\\&lt;u&gt;ana&lt;/u&gt;", "setup&lt;1&gt;.exe",
                              "&quot;&gt;&lt;script&gt;x&lt;/script&gt;", "no list &lt;here&gt;",
                              "&quot;/report=&lt;r&gt;.html&quot;"})
        EXPECT_NE(html.find(shown), std::string::npos) << shown;
    for (const auto* elsewhere : {"http:", "https:", "src=\"", "href=", "<link", "@import", "url("})
        EXPECT_EQ(html.find(elsewhere), std::string::npos) << elsewhere;
    EXPECT_TRUE(
        html.starts_with("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">"));
}

TEST(QualificationHtml, StatesEverythingInItsOrder) {
    const auto html = qualification_html(hostile_qualification());
    std::size_t at = 0;
    for (const auto* part : {"<h1>Installation Qualification \xE2\x80\x94 Morvane macro library",
                             "Outcome: FAIL: 2 of 3 items failed",
                             "What was qualified",
                             "SHA-256 of the setup program",
                             "Registry view",
                             "Shortcut scope",
                             "Where and when",
                             "version 10.0, build 19045",
                             "UTC",
                             "Items",
                             "bbbbbbbb",
                             "cccccccc",
                             "11 (expected 10)",
                             "FAIL (changed)",
                             "Description",
                             "NOTE",
                             "Performed by",
                             "Reviewed by",
                             "Approved by",
                             "The command that reproduces the check"}) {
        at = html.find(part, at);
        ASSERT_NE(at, std::string::npos) << part;
    }
}

} // namespace
} // namespace morvane::testing
