#pragma once

#include "macros/sas_file_writer.hpp"
#include "platform/shell.hpp"

#include <string>
#include <string_view>
#include <vector>

namespace morvane {

inline constexpr std::string_view autoexec_file_name = "autoexec.sas";

// Makes the current user's Start-menu folders and the macro folder; every failure is
// passed over, since the writers that follow report what really matters.
void create_folders(Shell& shell, FileSystem& files, const std::string& macro_folder);
// The folders, then autoexec.sas.
Failure create_autoexec(const SasFileWriter& writer, Shell& shell, FileSystem& files);
// autoexec.sas alone.
Failure write_autoexec(const SasFileWriter& writer);

Failure create_addseq(const SasFileWriter& writer);
Failure create_cdisc(const SasFileWriter& writer);
Failure create_comment(const SasFileWriter& writer);
Failure create_contents(const SasFileWriter& writer);
Failure create_difftest(const SasFileWriter& writer);
Failure create_findings(const SasFileWriter& writer);
Failure create_findrel(const SasFileWriter& writer);
Failure create_fmtsum(const SasFileWriter& writer);
Failure create_matchvar(const SasFileWriter& writer);
Failure create_metadata(const SasFileWriter& writer);
Failure create_ordervar(const SasFileWriter& writer);
Failure create_relrec(const SasFileWriter& writer);
Failure create_sd2xpt(const SasFileWriter& writer);
Failure create_suppqual(const SasFileWriter& writer);
Failure create_varlen(const SasFileWriter& writer);
Failure create_sup2dat(const SasFileWriter& writer);

// The lines of the two rule-built files, before the program folder is put in.
const std::vector<std::string>& difftest_lines();
const std::vector<std::string>& matchvar_lines();

struct MacroFile {
    std::string_view file_name;
    Failure (*create)(const SasFileWriter& writer);
};

// In the order in which they are written, and in which autoexec.sas includes them:
// a later file's macro replaces an earlier one of the same name.
inline constexpr MacroFile macro_files[] = {
    {"addseq.sas", create_addseq},     {"cdisc.sas", create_cdisc},
    {"comment.sas", create_comment},   {"contents.sas", create_contents},
    {"difftest.sas", create_difftest}, {"findings.sas", create_findings},
    {"findrel.sas", create_findrel},   {"fmtsum.sas", create_fmtsum},
    {"matchvar.sas", create_matchvar}, {"metadata.sas", create_metadata},
    {"ordervar.sas", create_ordervar}, {"relrec.sas", create_relrec},
    {"sd2xpt.sas", create_sd2xpt},     {"suppqual.sas", create_suppqual},
    {"varlen.sas", create_varlen},     {"sup2dat.sas", create_sup2dat},
};

} // namespace morvane
