#include <iostream>
#include <string>
#include <vector>

#include "tools/Trace.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return kanoby::RunTrace(args, std::cout, std::cerr);
}
