#include <iostream>
#include <string>
#include <vector>

#include "app/cli/command.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return quirovel::RunCli(args, std::cout, std::cerr);
}
