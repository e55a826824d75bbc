#include "files/file_error.h"

namespace sim {

std::string FileError::text() const {
  std::string out = file.empty() ? std::string("<memory>") : file;
  if (line > 0) out += ": line " + std::to_string(line);
  if (!chunk.empty()) out += ": " + chunk + " chunk";
  if (offset >= 0) out += (chunk.empty() ? ": byte " : " at byte ") + std::to_string(offset);
  out += ": " + message;
  return out;
}

}  // namespace sim
