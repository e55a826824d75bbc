// Where the tests find the module file and the shared test data.
#pragma once
#include <string>

namespace velmora_test {

// The module file built next to the tests (what the host would load).
std::string moduleFile();

// The folder of real LightWave files, with a sub-path appended when given.
std::string testdataPath(const std::string& relative = {});

}  // namespace velmora_test
