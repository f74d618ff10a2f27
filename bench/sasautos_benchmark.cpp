// The SASAUTOS update of large configuration files: the file read, updated, written
// beside itself and put in place.
#include "bench/scratch_folder.hpp"
#include "integration/sas_config_update.hpp"
#include "platform/host/host_file_system.hpp"
#include "platform/host/windows1252_encoding.hpp"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace morvane {
namespace {

namespace fs = std::filesystem;

std::string configuration_of_size(std::size_t bytes) {
    const std::string filler = "-SET MYPATH \"C:\\Program Files\\Some Vendor\\Some Product\"\r\n";
    std::string text;
    text.reserve(bytes + 200);
    while (text.size() < bytes / 2)
        text += filler;
    text += "-SET SASAUTOS (\r\n        \"!SASROOT\\core\\sasmacro\"\r\n        )\r\n";
    while (text.size() < bytes)
        text += filler;
    return text;
}

void sasautos_update(benchmark::State& state) {
    const auto megabytes = static_cast<std::size_t>(state.range(0));
    const auto root = scratch_folder("morvane-bench-config");
    fs::create_directories(root / "C");
    HostFileSystem files(root);
    Windows1252Encoding encoding;
    const auto original = configuration_of_size(megabytes << 20);
    for (auto _ : state) {
        state.PauseTiming();
        files.write_file("C:\\SASV9.CFG", original);
        state.ResumeTiming();
        if (!update_sas_config_file(files, encoding, "D:\\Tools\\Kit\\saspgm", "C:\\SASV9.CFG")
                 .ok())
            state.SkipWithError("update failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * original.size()));
    state.SetComplexityN(static_cast<std::int64_t>(original.size()));
    fs::remove_all(root);
}
BENCHMARK(sasautos_update)
    ->Arg(1)
    ->Arg(10)
    ->Arg(100)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace
} // namespace morvane
