// Where and why a file could not be read or written.
#pragma once
#include <cstdint>
#include <string>

namespace sim {

// One failure while reading or writing an object or scene file. Object files report the chunk
// and the byte offset from the start of the file; scene files report the 1-based line.
struct FileError {
  std::string file;          // path as given by the caller, or a label for in-memory data
  std::string chunk;         // 4-char chunk id ("VMAP"), empty when not inside a chunk
  std::int64_t offset = -1;  // byte offset in the file, -1 when not known or not a binary file
  int line = 0;              // 1-based line in a scene file, 0 when not a scene error
  std::string message;       // what is wrong, in words

  // "path: VMAP chunk at byte 1234: message" / "path: line 17: message".
  std::string text() const;
};

}  // namespace sim
