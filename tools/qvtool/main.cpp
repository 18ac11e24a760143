#include <iostream>

#include "QvTool.h"

int main(int argc, char** argv) {
    return qv::tool::RunQvTool(argc, argv, std::cout, std::cerr);
}
