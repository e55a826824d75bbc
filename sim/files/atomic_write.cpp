#include "files/atomic_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace sim {

bool writeFileAtomically(const std::string& path, std::span<const char> data, FileError& error) {
  error = FileError{path, {}, -1, 0, {}};
  std::filesystem::path target(path);
  std::filesystem::path folder = target.parent_path();
  std::string hidden = ".";
  hidden.append(target.filename().string());
  hidden.append(".tmpXXXXXX");
  std::string pattern = (folder / hidden).string();
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  int fd = ::mkstemp(name.data());
  if (fd < 0) {
    error.message = std::string("cannot create a temporary file beside it: ") + std::strerror(errno);
    return false;
  }
  auto failWith = [&](const char* what) {
    error.message = std::string(what) + ": " + std::strerror(errno);
    ::close(fd);
    ::unlink(name.data());
    return false;
  };
  std::size_t done = 0;
  while (done < data.size()) {
    ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return failWith("cannot write the temporary file");
    }
    done += static_cast<std::size_t>(n);
  }
  if (::fsync(fd) != 0) return failWith("cannot flush the temporary file");
  // mkstemp creates the file 0600; keep the replaced file's mode, or use the usual 0644.
  struct stat old {};
  ::fchmod(fd, ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644);
  if (::close(fd) != 0) {
    error.message = std::string("cannot close the temporary file: ") + std::strerror(errno);
    ::unlink(name.data());
    return false;
  }
  if (std::rename(name.data(), path.c_str()) != 0) {
    error.message = std::string("cannot replace the file: ") + std::strerror(errno);
    ::unlink(name.data());
    return false;
  }
  return true;
}

bool readWholeFile(const std::string& path, std::string& out, FileError& error) {
  error = FileError{path, {}, -1, 0, {}};
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error.message = std::string("cannot open: ") + std::strerror(errno);
    return false;
  }
  out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) {
    error.message = "read error";
    return false;
  }
  return true;
}

}  // namespace sim
