// The whole install sequence without its pauses, writing into a real temporary folder,
// beside two baselines that write the same bytes to the same files: with plain fwrite
// over the target, and as a safe replacement (a new file beside the target, flushed and
// moved over it). The setup record's saves after each step are measured on their own.
#include "app/record/setup_journal.hpp"
#include "app/window/frmMain.hpp"
#include "app/window/startup.hpp"
#include "bench/scratch_folder.hpp"
#include "platform/host/host_file_system.hpp"
#include "platform/host/openssl_hashing.hpp"
#include "platform/host/windows1252_encoding.hpp"
#include "product/layout.hpp"
#include "tests/doubles/fakes.hpp"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <vector>

namespace morvane {
namespace {

namespace fs = std::filesystem;
using namespace morvane::testing;

class NoPause : public Pause {
  public:
    void milliseconds(int) override {}
};

// A workstation with SAS 9.1 whose configuration already lists the macro folder, as on
// every run after the first.
struct Workstation {
    Workstation()
        : root(scratch_folder("morvane-bench")), files(root),
          shell([this](const std::string& path) { return files.write_file(path, "shortcut"); },
                [this](const std::string& path) { fs::create_directories(files.host_path(path)); }),
          platform{registry, files,    encoding, shell,   location,
                   pause,    messages, hashing,  account, computer} {
        fs::remove_all(root);
        shell.folders = {{SpecialFolder::desktop, "C:\\Desktop"},
                         {SpecialFolder::programs, "C:\\Programs"}};
        for (const auto* folder : {"C:/Desktop", "C:/Programs", "C/Desktop", "C/Programs",
                                   "C/SAS/V91/nls/en", "D/Tools/Kit"})
            fs::create_directories(root / folder);
        files.write_file("C:\\SAS\\V91\\nls\\en\\SASV9.CFG",
                         "-SET SASAUTOS (\r\n  \"D:\\Tools\\Kit\\saspgm\"\r\n)\r\n");
        registry.set_string("SOFTWARE\\SAS Institute Inc.\\The SAS System\\9.1", "DefaultRoot",
                            "C:\\SAS\\V91");
        record = read_installation_record(registry);
        view.selected = OptionButton::optSas9;
    }
    ~Workstation() { fs::remove_all(root); }

    void install() {
        frmMain form(platform, view, record);
        form.cmdInstall_Click();
        if (view.status() != "Installation completed.")
            throw std::runtime_error("installation failed: " + view.status());
    }

    fs::path root;
    HostFileSystem files;
    Windows1252Encoding encoding;
    FakeRegistry registry;
    FakeShell shell;
    FixedProgramLocation location;
    NoPause pause;
    RecordingMessageBoxes messages;
    OpenSslHashing hashing;
    FakeAccount account;
    FakeComputer computer;
    Platform platform;
    FakeWindowView view;
    InstallationRecord record;
};

void install_sequence(benchmark::State& state) {
    Workstation workstation;
    for (auto _ : state)
        workstation.install();
}
BENCHMARK(install_sequence)->Unit(benchmark::kMicrosecond);

// What one installation writes, each file with its bytes.
std::map<fs::path, std::string> files_written(Workstation& workstation) {
    workstation.install();
    std::map<fs::path, std::string> written;
    for (const auto& entry : fs::recursive_directory_iterator(workstation.root))
        if (entry.is_regular_file() && entry.path().filename() != "SASV9.CFG")
            written[entry.path()] =
                workstation.files
                    .read_file(entry.path().lexically_relative(workstation.root).string())
                    .value();
    return written;
}

void overwrite(const std::map<fs::path, std::string>& written) {
    for (const auto& [path, bytes] : written) {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
}

void safe_replace(const std::map<fs::path, std::string>& written) {
    for (const auto& [path, bytes] : written) {
        auto beside = path;
        beside += ".new";
        std::FILE* file = std::fopen(beside.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fflush(file);
        std::fclose(file);
        fs::rename(beside, path);
    }
}

void fwrite_same_bytes(benchmark::State& state) {
    Workstation workstation;
    const auto written = files_written(workstation);
    for (auto _ : state)
        overwrite(written);
    state.counters["files"] = static_cast<double>(written.size());
}
BENCHMARK(fwrite_same_bytes)->Unit(benchmark::kMicrosecond);

void safe_replace_same_bytes(benchmark::State& state) {
    Workstation workstation;
    const auto written = files_written(workstation);
    for (auto _ : state)
        safe_replace(written);
    state.counters["files"] = static_cast<double>(written.size());
}
BENCHMARK(safe_replace_same_bytes)->Unit(benchmark::kMicrosecond);

template <class Work> double seconds_of(const Work& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const auto middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// The ratios themselves: each installation is timed beside one run of each baseline, the
// three in each of their six orders in turn, so that a slow spell of the disk, which on a
// virtual machine outlasts a repetition, falls on every side of a ratio, and within each
// six every one takes every place twice.
void sequence_against_baselines(benchmark::State& state) {
    Workstation workstation;
    const auto written = files_written(workstation);
    const std::function<void()> works[] = {[&] { workstation.install(); },
                                           [&] { safe_replace(written); },
                                           [&] { overwrite(written); }};
    std::array<int, 3> order{0, 1, 2};
    std::vector<double> to_safe_replace, to_fwrite;
    for (auto _ : state) {
        double seconds[3] = {};
        for (const int work : order)
            seconds[work] = seconds_of(works[work]);
        std::next_permutation(order.begin(), order.end());
        to_safe_replace.push_back(seconds[0] / seconds[1]);
        to_fwrite.push_back(seconds[0] / seconds[2]);
    }
    state.counters["per_safe_replace"] = median(to_safe_replace);
    state.counters["per_fwrite"] = median(to_fwrite);
}
BENCHMARK(sequence_against_baselines)->Unit(benchmark::kMicrosecond);

// The setup record's share of the sequence: one installation's 19 saves of the final
// record, each step recording one file again, and the finish that folds the journal in.
void record_journal(benchmark::State& state) {
    Workstation workstation;
    workstation.install();
    const auto record_path = setup_record_path(workstation.location.program_folder());
    const auto recorded = read_setup_record(workstation.files, record_path).value();
    constexpr int saves_per_installation = 19;
    for (auto _ : state) {
        SetupJournal journal(workstation.files, workstation.hashing, record_path,
                             recorded.sas_version);
        bool failed = journal.open().has_value();
        for (int save = 0; save < saves_per_installation; ++save) {
            const auto& file = recorded.files_written[save % recorded.files_written.size()];
            failed |= journal.file_written(file.path, file.path).has_value();
            failed |= journal.save().has_value();
        }
        if (failed || journal.finish())
            throw std::runtime_error("cannot write the record");
    }
    state.counters["bytes"] =
        static_cast<double>(workstation.files.read_file(record_path).value().size());
}
BENCHMARK(record_journal)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace morvane
