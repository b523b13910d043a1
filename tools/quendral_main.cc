// quendral: the command-line face of the library.
#include <iostream>

#include "tools/quendral/commands.h"

int main(int argc, char** argv) {
  return quendral::cli::RunCommandLine(argc, argv, std::cout, std::cerr);
}
