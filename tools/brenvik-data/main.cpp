// brenvik-data: looks into and repairs the store's data files from the command
// line, on the store program's own code.
#include "commands.h"

int main(int argc, char** argv) {
    return brenvik::tool::Run(brenvik::tool::Args(argv + 1, argv + argc));
}
