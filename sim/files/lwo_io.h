// Reading and writing LightWave object files (LWO2; LWOB read-only; LWO3 refused).
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "files/file_error.h"
#include "files/lwo_object.h"

namespace sim {

// Decodes an object from bytes. `label` names the source in errors. Accepts FORM LWO2 and
// FORM LWOB; LWO3 and anything else fail with a message. Every length is checked before it is
// used; point and polygon indices are checked against the layer, so a loaded object never
// refers outside its arrays. O(file size).
bool readLwo(std::span<const std::uint8_t> bytes, const std::string& label, LwoObject& out, FileError& error);

// Encodes an object: unedited chunks from their original bytes, edited ones from their records.
// Fails (with a message) for an unconverted LWOB object or a chunk too large for its size field.
bool writeLwo(const LwoObject& object, std::vector<std::uint8_t>& out, FileError& error);

// File forms of the above. Saving writes a temporary file beside `path` and renames it into
// place, so a failed save leaves the old file as it was.
bool loadLwo(const std::string& path, LwoObject& out, FileError& error);
bool saveLwo(const LwoObject& object, const std::string& path, FileError& error);

}  // namespace sim
