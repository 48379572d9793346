// Replacing a file on POSIX systems: a temporary file beside the target,
// written, flushed and given the target's mode, then renamed over it, and
// the folder flushed so that the rename itself survives a crash.
#include "platform/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <optional>

namespace rezov {
namespace {

std::string Reason(int error) { return std::strerror(error); }

std::string FolderOf(const std::string& path) {
  const std::string::size_type slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const std::string::size_type slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a path finally names once symbolic links are followed (a
// relative link is read against the folder that holds it). A name that does
// not exist yet, or a link to one, names the new file.
Result<std::string> FinalTarget(const std::string& path) {
  std::string current = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st;
    if (::lstat(current.c_str(), &st) != 0) {
      if (errno == ENOENT) return current;
      return Fail(Reason(errno));
    }
    if (!S_ISLNK(st.st_mode)) return current;
    std::string link(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
    const ssize_t n = ::readlink(current.c_str(), &link[0], link.size());
    if (n < 0) return Fail(Reason(errno));
    link.resize(static_cast<std::size_t>(n));
    current = (!link.empty() && link[0] == '/') ? link : FolderOf(current) + "/" + link;
  }
  return Fail(Reason(ELOOP));
}

// What the replacement must keep of an existing target.
struct Existing {
  mode_t mode;
  uid_t owner;
  gid_t group;
};

// The target as it stands: nothing when it does not exist yet; a failure
// when it must not be replaced.
Result<std::optional<Existing>> Inspect(const std::string& target) {
  struct stat st;
  if (::stat(target.c_str(), &st) != 0) {
    if (errno == ENOENT) return std::optional<Existing>();
    return Fail(Reason(errno));
  }
  if (S_ISDIR(st.st_mode)) return Fail("is a folder");
  if (!S_ISREG(st.st_mode)) return Fail("is not a regular file");
  // A file nobody may write to is left alone, as Windows leaves a read-only
  // file alone, although a rename could replace it.
  if ((st.st_mode & 0222) == 0) return Fail("the file is read-only");
  if (::access(target.c_str(), W_OK) != 0) return Fail(Reason(errno));
  return std::optional<Existing>(Existing{st.st_mode & 07777, st.st_uid, st.st_gid});
}

// An open temporary file beside the target, removed unless committed.
class TempFile {
 public:
  ~TempFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!path_.empty()) ::unlink(path_.c_str());
  }

  // Creates it new (never an existing file), with the mode a new file gets
  // under the process's umask.
  Status Create(const std::string& target) {
    static std::atomic<unsigned> counter{0};
    const std::string stem =
        FolderOf(target) + "/." + NameOf(target) + ".rezov-" + std::to_string(::getpid()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
      const std::string candidate = stem + std::to_string(counter++) + ".tmp";
      fd_ = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd_ >= 0) {
        path_ = candidate;
        return {};
      }
      if (errno != EEXIST) return Fail(Reason(errno));
    }
    return Fail(Reason(EEXIST));
  }

  Status Write(const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return Fail(Reason(n < 0 ? errno : EIO));
      done += static_cast<std::size_t>(n);
    }
    return {};
  }

  // Flushes the content to the disk, gives it the target's mode (and owner,
  // where allowed), closes it and renames it over the target.
  Status CommitAs(const std::string& target, const std::optional<Existing>& existing) {
    if (existing) {
      if (::fchmod(fd_, existing->mode) != 0) return Fail(Reason(errno));
      // Only a privileged process may give a file away; others keep
      // their own ownership, which is all they could have written anyway.
      if (::fchown(fd_, existing->owner, existing->group) != 0 && errno != EPERM) {
        return Fail(Reason(errno));
      }
    }
    if (::fsync(fd_) != 0) return Fail(Reason(errno));
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) return Fail(Reason(errno));
    if (::rename(path_.c_str(), target.c_str()) != 0) return Fail(Reason(errno));
    path_.clear();
    SyncFolder(FolderOf(target));
    return {};
  }

 private:
  // The new name is in place already; a folder that cannot be flushed (some
  // file systems refuse) only makes the rename less certain to survive a
  // power cut, so it is not a failure.
  static void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    (void)::fsync(fd);
    ::close(fd);
  }

  int fd_ = -1;
  std::string path_;
};

// Replaces the target with what `write` puts in the temporary file.
template <typename Write>
Status Replace(const std::string& path, Write write) {
  const Result<std::string> target = FinalTarget(path);
  if (!target) return target.failure();
  const Result<std::optional<Existing>> existing = Inspect(*target);
  if (!existing) return existing.failure();
  TempFile temp;
  Status step = temp.Create(*target);
  if (step) step = write(temp);
  if (step) step = temp.CommitAs(*target, *existing);
  return step;
}

}  // namespace

Status ReplaceFileContents(const std::string& path, const std::string& bytes) {
  return Replace(path, [&](TempFile& temp) { return temp.Write(bytes); });
}

Status ReplaceFileContentsInParts(const std::string& path, const ContentParts& next) {
  return Replace(path, [&](TempFile& temp) {
    std::string part;
    Status written;
    while (written && next(part)) {
      written = temp.Write(part);
      part.clear();
    }
    return written;
  });
}

}  // namespace rezov
