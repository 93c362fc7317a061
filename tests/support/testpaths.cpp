#include "testpaths.h"

#include <cstdlib>

namespace test {

std::string SourceDir() { return TEST_SOURCE_DIR; }

std::string BinaryDir() { return TEST_BINARY_DIR; }

std::string ToolsDir() {
    const char* dir = std::getenv("BRENVIK_TOOLS_DIR");
    return dir && *dir ? std::string(dir) : BinaryDir() + "/tools";
}

}  // namespace test
