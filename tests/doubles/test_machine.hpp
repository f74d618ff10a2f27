#pragma once

#include "platform/host/host_file_system.hpp"
#ifdef _WIN32
#include "platform/win32/system/cryptoapi_hashing.hpp"
#else
#include "platform/host/openssl_hashing.hpp"
#endif
#include "platform/host/windows1252_encoding.hpp"
#include "platform/platform.hpp"
#include "sas/installation_record.hpp"
#include "tests/doubles/fakes.hpp"

#include <filesystem>
#include <string>
#include <vector>

namespace morvane::testing {

// A throwaway machine: real files below a temporary folder, fakes for the rest. The
// program lies in D:\Tools\Kit, SAS 9.1 in C:\SAS\V91 unless a test says otherwise.
// Each build's own digests: the system's SHA-256 on Windows, libcrypto's elsewhere.
#ifdef _WIN32
using SystemHashing = win32::CryptoApiHashing;
#else
using SystemHashing = OpenSslHashing;
#endif

// The SHA-256 digest of bytes, as the setup record keeps it.
std::string sha256_of(std::string_view bytes);

class TestMachine {
  public:
    TestMachine();
    ~TestMachine();
    TestMachine(const TestMachine&) = delete;
    TestMachine& operator=(const TestMachine&) = delete;

    // Makes a folder and every missing parent.
    void make_folders(const std::string& windows_path);
    void write(const std::string& windows_path, const std::string& content);
    std::string read(const std::string& windows_path);
    bool exists(const std::string& windows_path);
    // Puts under name a link to target, or with hard a second name of it; false where this
    // build's file system cannot make one it tells apart (as under Wine).
    bool plant_link(const std::string& name, const std::string& target, bool hard);
    // The names in a folder, sorted.
    std::vector<std::string> files_in(const std::string& windows_path);
    void set_read_only(const std::string& windows_path, bool read_only);
    // The program folder with its macro folder, and the Start-menu folders.
    void prepare_program_folder(const std::string& folder = "D:\\Tools\\Kit");

    std::filesystem::path root;
    HostFileSystem files;
    Windows1252Encoding encoding;
    FakeRegistry registry;
    FakeShell shell;
    FixedProgramLocation location;
    CountingPause pause;
    RecordingMessageBoxes messages;
    SystemHashing hashing;
    FakeAccount account;
    FakeComputer computer;
    Platform platform;
};

// SAS 9.1 in C:\SAS\V91 with its SASUSER folder C:\Users\ana\sasuser, nothing else.
InstallationRecord record_with_sas91();
// Where the SAS releases register, followed by the release.
const std::string sas_key = "SOFTWARE\\SAS Institute Inc.\\The SAS System\\";

} // namespace morvane::testing
