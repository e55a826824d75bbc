// Replacing a file in one step, so a failed write never leaves a half-written file behind.
#pragma once
#include <span>
#include <string>

#include "files/file_error.h"

namespace sim {

// Writes `data` to a temporary file in the folder of `path`, flushes it to disk and renames it
// over `path`. On failure the temporary file is removed, `path` is untouched and `error` says why.
bool writeFileAtomically(const std::string& path, std::span<const char> data, FileError& error);

// Reads a whole file into `out`. False with `error` filled when it cannot be opened or read.
bool readWholeFile(const std::string& path, std::string& out, FileError& error);

}  // namespace sim
