#pragma once
// The commands of brenvik-data. Each takes the arguments after its name,
// writes its result to standard output and returns the exit status; a
// ToolError carries a one-line message for standard error and status 2.
#include <stdexcept>
#include <string>
#include <vector>

namespace brenvik::tool {

class ToolError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

using Args = std::vector<std::string>;

int DumpCommand(const Args& args);
int ConvertCommand(const Args& args);
int SettingsCommand(const Args& args);
int RecomputeCommand(const Args& args);
int CheckCommand(const Args& args);

const char* UsageText();

// The whole program: dispatches on the first argument, reports errors.
int Run(const Args& args);

}  // namespace brenvik::tool
