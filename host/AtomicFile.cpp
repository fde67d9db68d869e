#include "host/AtomicFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "platform/ComError.h"

namespace host::AtomicFile {

namespace {
[[noreturn]] void fail(const std::filesystem::path& path, const std::string& what, int err) {
  throw platform::ComError(platform::RuntimeError::PathFileAccess, "host",
                           what + " " + path.string() + ": " + std::strerror(err));
}

// Closes the descriptor and removes the temporary file unless the rename took it over.
class TempFile {
 public:
  explicit TempFile(const std::filesystem::path& target) : m_path(target.string() + ".tmpXXXXXX") {
    m_fd = ::mkstemp(m_path.data());
    if (m_fd < 0) fail(target, "Cannot create a temporary file for", errno);
  }
  ~TempFile() {
    if (m_fd >= 0) ::close(m_fd);
    if (!m_committed) ::unlink(m_path.c_str());
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  void writeAll(const std::string& content, const std::filesystem::path& target) {
    const char* data = content.data();
    size_t left = content.size();
    while (left > 0) {
      ssize_t n = ::write(m_fd, data, left);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) fail(target, "Cannot write", n < 0 ? errno : EIO);
      data += n;
      left -= static_cast<size_t>(n);
    }
    if (::fsync(m_fd) != 0) fail(target, "Cannot flush", errno);
    int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0) fail(target, "Cannot write", errno);
  }

  void renameTo(const std::filesystem::path& target) {
    if (::rename(m_path.c_str(), target.c_str()) != 0) fail(target, "Cannot replace", errno);
    m_committed = true;
  }

 private:
  std::string m_path;
  int m_fd = -1;
  bool m_committed = false;
};

// Makes the rename itself durable; a folder that cannot be synced still holds a complete file.
void syncFolder(const std::filesystem::path& folder) {
  int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}
}  // namespace

void write(const std::filesystem::path& path, const std::string& content) {
  std::filesystem::path folder = path.parent_path();
  std::error_code ec;
  if (!folder.empty()) std::filesystem::create_directories(folder, ec);
  if (ec) fail(folder, "Cannot create the folder", ec.value());
  TempFile temp(path);
  temp.writeAll(content, path);
  temp.renameTo(path);
  syncFolder(folder);
}

std::optional<std::string> read(const std::filesystem::path& path) {
  std::error_code ec;
  auto status = std::filesystem::status(path, ec);
  if (status.type() == std::filesystem::file_type::not_found) return std::nullopt;
  if (status.type() == std::filesystem::file_type::directory) fail(path, "Cannot read", EISDIR);
  std::ifstream in(path, std::ios::binary);
  if (!in) fail(path, "Cannot read", errno ? errno : EACCES);
  std::ostringstream content;
  content << in.rdbuf();
  if (in.bad()) fail(path, "Cannot read", EIO);
  return content.str();
}

}  // namespace host::AtomicFile
