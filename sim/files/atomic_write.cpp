#include "files/atomic_write.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

#include "system/os_calls.h"

namespace sim {

bool writeFileAtomically(const std::string& path, std::span<const char> data, FileError& error) {
  error = FileError{path, {}, -1, 0, {}};
  return os::replaceFileContents(path, data, error.message);
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
