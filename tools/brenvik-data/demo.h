#pragma once
#include <string>
#include <vector>

// `brenvik-data demo DIR`: writes a sample store into DIR. `args` are the
// arguments after "demo". Returns the exit status.
int DemoCommand(const std::vector<std::string>& args);
