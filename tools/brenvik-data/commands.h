#pragma once
// The commands of brenvik-data. Each takes the arguments after its name,
// writes its result to standard output and returns the exit status; a
// ToolError carries a one-line message for standard error and status 2
// (bad arguments, unreadable input), a Refused one status 1 (the work
// cannot be done as asked; nothing was written).
#include <stdexcept>
#include <string>
#include <vector>

namespace brenvik::tool {

class ToolError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Refused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

using Args = std::vector<std::string>;

// A command: its name, what runs it, its lines of the usage text (each
// starting with two blanks) and its place in that text.
struct Command {
    const char* name;
    int (*run)(const Args& args);
    const char* usage;
    int order;
};

// Each command's file registers it at start-up:
//   static const bool registered = RegisterCommand({"name", Run, "  name ...\n", 50});
bool RegisterCommand(const Command& command);

// Helpers shared by the commands.
// The data folder, which must exist (ToolError otherwise).
std::string Folder(const std::string& dir);
// A whole number of the command line, or ToolError naming the option.
int ParseCount(const std::string& text, const char* option);
void Expect(const Args& args, std::size_t count, const char* form);

int DumpCommand(const Args& args);
int ConvertCommand(const Args& args);
int SettingsCommand(const Args& args);
int RecomputeCommand(const Args& args);
int CheckCommand(const Args& args);

// The usage text: the registered commands in order.
std::string UsageText();

// The whole program: dispatches on the first argument, reports errors.
int Run(const Args& args);

}  // namespace brenvik::tool
