#include "platform/win32/files/win32_file_system.hpp"
#include "platform/win32/files/win32_side_files.hpp"
#include "platform/win32/system/wide_text.hpp"

namespace morvane::win32 {
namespace {

class Win32Journal : public JournalFile {
  public:
    Win32Journal(std::string path, FileHandle file)
        : path_(std::move(path)), file_(std::move(file)) {}
    const std::string& path() const override { return path_; }
    // On the disk before the step it tells of is taken as done.
    Failure append(std::string_view bytes) override {
        if (auto failure = write_bytes(file_.get(), bytes.data(), bytes.size()))
            return failure;
        if (!FlushFileBuffers(file_.get()))
            return last_error();
        return std::nullopt;
    }
    Failure remove() override { return delete_through(file_); }

  private:
    std::string path_;
    FileHandle file_;
};

} // namespace

Result<std::shared_ptr<JournalFile>> Win32FileSystem::create_journal(const std::string& beside,
                                                                     std::string_view suffix) {
    const auto target = long_path(beside);
    SideFile made;
    if (auto failure = create_side_file(target, widen(std::string(suffix)).c_str(),
                                        GENERIC_WRITE | DELETE, made))
        return *failure;
    auto path = beside + narrow(made.path.substr(target.size()));
    return std::shared_ptr<JournalFile>(
        std::make_unique<Win32Journal>(std::move(path), std::move(made.handle)));
}

} // namespace morvane::win32
