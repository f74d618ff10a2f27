#include "platform/host/host_file_system.hpp"

#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#include <sys/stat.h>
#else
#include <unistd.h>
#endif

#include <cerrno>
#include <cstdio>
#include <random>
#include <system_error>

namespace morvane {
namespace fs = std::filesystem;
namespace {

// Opens with the C library's flags; the file is made with the usual permissions.
int open_file(const fs::path& path, int flags) {
#ifdef _WIN32
    return ::_wopen(path.c_str(), flags | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
#else
    return ::open(path.c_str(), flags | O_CLOEXEC | O_NOFOLLOW, 0666);
#endif
}

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    // Closes now, so that a failing close is seen.
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

  private:
    int fd_;
};

Failure write_parts(int fd, const std::vector<std::string_view>& parts) {
    for (auto part : parts)
        while (!part.empty()) {
            const auto written = ::write(fd, part.data(), part.size());
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                return error_from(written < 0 ? errno : ENOSPC);
            part.remove_prefix(static_cast<std::size_t>(written));
        }
    return std::nullopt;
}

// As a GUID is on Windows: nobody can tell the name before the file exists.
std::string unpredictable_part() {
    // Made once: opening the system's source of randomness costs more than a file.
    thread_local std::random_device random;
    char text[40];
    std::snprintf(text, sizeof text, "{%08x-%08x-%08x-%08x}", random(), random(), random(),
                  random());
    return text;
}

class HostJournal : public JournalFile {
  public:
    HostJournal(std::string path, fs::path host_path, int fd)
        : path_(std::move(path)), host_path_(std::move(host_path)), file_(fd) {}
    const std::string& path() const override { return path_; }
    Failure append(std::string_view bytes) override { return write_parts(file_.get(), {bytes}); }
    // The host cannot delete through an opening, and Windows' C library cannot delete an
    // open file; the portable tests need only the outcome.
    Failure remove() override {
        file_.close();
        std::error_code error;
        fs::remove(host_path_, error);
        return error ? error_from(error.value()) : Failure();
    }

  private:
    std::string path_;
    fs::path host_path_;
    Descriptor file_;
};

} // namespace

Result<std::shared_ptr<JournalFile>> HostFileSystem::create_journal(const std::string& beside,
                                                                    std::string_view suffix) {
    auto path = beside;
    (path += '.') += unpredictable_part();
    path += suffix;
    const auto made = host_path(path);
    const int fd = open_file(made, O_WRONLY | O_CREAT | O_EXCL);
    if (fd < 0)
        return error_from(errno);
    return std::shared_ptr<JournalFile>(std::make_shared<HostJournal>(path, made, fd));
}

Failure HostFileSystem::write_file_parts(const std::string& path,
                                         const std::vector<std::string_view>& parts) {
    const auto target = host_path(path);
    auto temporary = target;
    (temporary += ".") += unpredictable_part();
    temporary += ".morvane-tmp";
    Descriptor file(open_file(temporary, O_WRONLY | O_CREAT | O_EXCL));
    if (file.get() < 0)
        return error_from(errno);
    auto failure = write_parts(file.get(), parts);
    if (!file.close() && !failure)
        failure = error_from(errno);
    if (!failure)
        failure = replace_file(temporary, target);
    if (failure) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
    }
    return failure;
}

Failure HostFileSystem::append_file(const std::string& path, const std::string& content) {
    const auto file_path = host_path(path);
    if (is_read_only(file_path))
        return error_from(EACCES);
    // Told by the name's own entry, before and after opening; Linux also opens no link.
    std::error_code error;
    if (fs::is_symlink(fs::symlink_status(file_path, error)))
        return PlatformError{PlatformError::Kind::other, "The file is a link; it is not followed."};
    Descriptor file(open_file(file_path, O_WRONLY | O_APPEND | O_CREAT));
    if (file.get() < 0)
        return error_from(errno);
    if (fs::hard_link_count(file_path, error) > 1 && !error)
        return PlatformError{PlatformError::Kind::other,
                             "The file has more than one name (a hard link); it is not written."};
    if (auto failure = write_parts(file.get(), {content}))
        return failure;
    if (!file.close())
        return error_from(errno);
    return std::nullopt;
}

// The host has no sharing modes to hold a folder with; the portable tests need only the
// hold's place in the sequence.
Result<std::shared_ptr<FolderHold>> HostFileSystem::hold_folder(const std::string& path) {
    std::error_code error;
    if (!fs::is_directory(fs::symlink_status(host_path(path), error)))
        return error_from(ENOENT);
    return std::make_shared<FolderHold>();
}

} // namespace morvane
