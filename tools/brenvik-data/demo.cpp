#include "demo.h"

#include <cstdio>

int DemoCommand(const std::vector<std::string>&) {
    std::fputs("demo: not available yet\n", stderr);
    return 2;
}
