#pragma once
// Where the tests find their fixtures and the built tools. The folders are
// compiled into one small file only, so that the tests' other objects are
// the same in every checkout and build folder (and come from the compiler
// cache there).
#include <string>

namespace test {

// The tests folder of the source tree, without a trailing '/'.
std::string SourceDir();
// The top of the build folder, without a trailing '/'.
std::string BinaryDir();
// The folder of the built command-line tools: $BRENVIK_TOOLS_DIR when set
// (the installed package's tests), else BinaryDir() + "/tools".
std::string ToolsDir();

}  // namespace test
