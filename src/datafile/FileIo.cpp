#include "datafile/FileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace ostrin {
namespace {

std::atomic<bool> syncEnabled{true};

std::string failureText(const std::string& path, int error) {
  return "Cannot write \"" + path + "\": " + std::strerror(error);
}

// The file a write must replace: the target of a link, or the path itself.
std::string resolvedTarget(const std::string& path) {
  char resolved[PATH_MAX];
  if (::realpath(path.c_str(), resolved)) return resolved;
  return path;
}

std::string folderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

void SetDataFileSync(bool enabled) { syncEnabled = enabled; }

std::optional<std::string> ReadWholeFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(info.st_size));
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return bytes;
}

SaveResult WriteFileAtomically(const std::string& path, std::string_view bytes) {
  const std::string target = resolvedTarget(path);
  struct stat existing {};
  const bool exists = ::stat(target.c_str(), &existing) == 0;
  if (exists && !S_ISREG(existing.st_mode)) return SaveResult::Failure(failureText(path, EISDIR));
  if (exists && ::access(target.c_str(), W_OK) != 0) {
    return SaveResult::Failure(failureText(path, errno));
  }

  std::string temporary = folderOf(target) + "/.ostrin-save-XXXXXX";
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) return SaveResult::Failure(failureText(path, errno));

  mode_t mode = existing.st_mode & 07777;
  if (!exists) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = static_cast<mode_t>(0666 & ~mask);
  }
  bool written = ::fchmod(fd, mode) == 0 && writeAll(fd, bytes);
  int error = written ? 0 : errno;
  if (written && syncEnabled && ::fsync(fd) != 0) {
    written = false;
    error = errno;
  }
  if (::close(fd) != 0 && written) {
    written = false;
    error = errno;
  }
  if (written && ::rename(temporary.c_str(), target.c_str()) != 0) {
    written = false;
    error = errno;
  }
  if (!written) {
    ::unlink(temporary.c_str());
    return SaveResult::Failure(failureText(path, error));
  }
  if (syncEnabled) {
    const int dir = ::open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
      ::fsync(dir);
      ::close(dir);
    }
  }
  return {};
}

}  // namespace ostrin
