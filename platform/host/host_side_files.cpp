#include "platform/host/host_file_system.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>
#include <system_error>

namespace morvane {
namespace fs = std::filesystem;
namespace {

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
    std::random_device random;
    char text[40];
    std::snprintf(text, sizeof text, "{%08x-%08x-%08x-%08x}", random(), random(), random(),
                  random());
    return text;
}

class OpenFolder : public FolderHold {
  public:
    explicit OpenFolder(int fd) : folder_(fd) {}

  private:
    Descriptor folder_;
};

} // namespace

Failure HostFileSystem::write_file_parts(const std::string& path,
                                         const std::vector<std::string_view>& parts) {
    const auto target = host_path(path);
    if (is_read_only(target))
        return error_from(EACCES);
    auto temporary = target;
    temporary += "." + unpredictable_part() + ".morvane-tmp";
    Descriptor file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
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
    Descriptor file(
        ::open(file_path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (file.get() < 0)
        return errno == ELOOP ? PlatformError{PlatformError::Kind::other,
                                              "The file is a link; it is not followed."}
                              : error_from(errno);
    struct stat status {};
    if (::fstat(file.get(), &status) != 0)
        return error_from(errno);
    if (status.st_nlink > 1)
        return PlatformError{PlatformError::Kind::other,
                             "The file has more than one name (a hard link); it is not written."};
    if (auto failure = write_parts(file.get(), {content}))
        return failure;
    if (!file.close())
        return error_from(errno);
    return std::nullopt;
}

// Linux has no sharing modes: the hold keeps the folder open, which is all it can do.
Result<std::shared_ptr<FolderHold>> HostFileSystem::hold_folder(const std::string& path) {
    const int fd = ::open(host_path(path).c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return error_from(errno);
    return std::shared_ptr<FolderHold>(std::make_shared<OpenFolder>(fd));
}

} // namespace morvane
