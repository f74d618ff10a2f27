#pragma once

#include "platform/platform_error.hpp"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace morvane {

// Told a file's bytes: true to delete it, false to keep it, or why it cannot say.
using DeleteDecision = std::function<Result<bool>(std::string_view content)>;

// A folder held open: while it lives, nobody can rename, delete or replace the folder,
// though files inside it can still be made and changed.
class FolderHold {
  public:
    virtual ~FolderHold() = default;
};

// A file this run made and alone writes to, held open from its making to its deletion.
// Dropped without remove, it stays on the disk with what was added to it.
class JournalFile {
  public:
    virtual ~JournalFile() = default;
    virtual const std::string& path() const = 0;
    // Adds bytes at the end and puts them on the disk.
    virtual Failure append(std::string_view bytes) = 0;
    // Deletes the file through the opening that made it.
    virtual Failure remove() = 0;
};

// Windows-style paths (backslash separated) in UTF-8; contents are bytes as stored. A path
// is read as Windows reads an ordinary one: "/" for "\", doubled separators, "." and ".."
// and relative paths all work.
class FileSystem {
  public:
    virtual ~FileSystem() = default;
    virtual bool file_exists(const std::string& path) = 0;
    virtual bool folder_exists(const std::string& path) = 0;
    // A missing file fails with Kind::not_found.
    virtual Failure delete_file(const std::string& path) = 0;
    // One level: the parent must exist; an existing folder is a failure too.
    virtual Failure make_folder(const std::string& path) = 0;
    virtual Result<std::string> read_file(const std::string& path) = 0;
    // Makes the file hold exactly content, replacing an existing one whole: the content
    // goes to a new file beside it, under a name nobody can predict (never an existing
    // file or link), reaches the disk, and then takes the file's
    // place in one step (as replace_file). A missing file is created. On any failure
    // (a full disk, a refusal) an existing file keeps every byte it had and no temporary
    // file is left; a read-only file is refused and stays as it is.
    virtual Failure write_file(const std::string& path, const std::string& content) = 0;
    // The same with the content given as consecutive parts.
    virtual Failure write_file_parts(const std::string& path,
                                     const std::vector<std::string_view>& parts) = 0;
    // Adds content at the end of the file, creating it if needed. A file that is a link
    // or has more than one name (hard links) is refused, naming it, and not written.
    virtual Failure append_file(const std::string& path, const std::string& content) = 0;
    // Puts replacement, whose content the writer has already put on the disk, in the
    // place of target in one step, removing replacement's name. Target keeps its
    // security, owner, attributes and streams where the file system allows; a missing
    // target is created and a read-only one refused. On failure target is as it was.
    virtual Failure replace_file(const std::string& replacement, const std::string& target) = 0;
    // Removes a folder that holds nothing. One that holds something stays as it is and
    // fails with Kind::not_empty; a missing one fails with Kind::not_found.
    virtual Failure remove_empty_folder(const std::string& path) = 0;
    // Opens the file so that nobody else can change, rename or delete it, hands its bytes
    // to decide, and deletes it through that same opening when decide says so; true when
    // deleted. A link is not followed. A missing file fails with Kind::not_found.
    virtual Result<bool> delete_file_if(const std::string& path, const DeleteDecision& decide) = 0;
    // Whether two paths name one folder, told by its volume and its index there, whatever
    // drive letter, share or short name each goes through. A missing folder fails with
    // Kind::not_found.
    virtual Result<bool> same_folder(const std::string& a, const std::string& b) = 0;
    // Whether the path itself is a link to somewhere else: a junction, a symbolic link or
    // a mount point. Other reparse points (cloud placeholders, deduplicated files) are
    // ordinary files; a missing path is not a link.
    virtual Result<bool> is_link(const std::string& path) = 0;
    // The groups other than administrators ("Users", "Authenticated Users", "Everyone",
    // "INTERACTIVE") whose rights on the folder let them create, change or replace files in
    // it; empty when none has them.
    virtual Result<std::vector<std::string>> groups_that_can_change(const std::string& folder) = 0;
    // Deletes the file through one opening, and only when it is a regular file with one
    // name, neither a link nor any other reparse point, whose final name is still the
    // path's last name (without regard to case); true when deleted, false when left in
    // place. A missing file fails with Kind::not_found.
    virtual Result<bool> delete_plain_file(const std::string& path) = 0;
    // Holds the folder open (see FolderHold) until the hold is dropped.
    virtual Result<std::shared_ptr<FolderHold>> hold_folder(const std::string& path) = 0;
    // Makes a new file beside the path, named after it with a part nobody can predict and
    // then suffix. It is created, never opened: it cannot be an existing file or a link.
    virtual Result<std::shared_ptr<JournalFile>> create_journal(const std::string& beside,
                                                                std::string_view suffix) = 0;
};

} // namespace morvane
