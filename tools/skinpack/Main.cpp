#include <iostream>

#include "Skinpack.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return skinpack::Run(args, std::cout, std::cerr);
}
