// Everything the simulated host asks of the operating system: loading a module file,
// replacing a file in one step, temporary folders and the terminal. The only sim file
// with system calls, so the host builds on Linux and on Windows alike.
#pragma once
#include <span>
#include <string>

namespace sim::os {

// Loads a shared library (a module file) with its symbols kept to itself; null and a
// message on failure.
void* loadLibrary(const std::string& path, std::string* error);
// The address of an exported name, or null.
void* findSymbol(void* library, const char* name);
void freeLibrary(void* library);

// Writes data to a new file beside path, flushes it to the disk and puts it in
// path's place in one step, so a reader never sees half a file. A replaced file's
// permissions are kept. False and a message when any step fails; path is untouched.
bool replaceFileContents(const std::string& path, std::span<const char> data, std::string& message);

// Creates a new, empty folder named prefix followed by a unique suffix; "" on failure.
std::string makeUniqueFolder(const std::string& prefix);

// Whether standard output is a terminal (progress bars are drawn only there).
bool standardOutputIsTerminal();

}  // namespace sim::os
