#include <unistd.h>

#include <string>
#include <vector>

#include "cli/dump.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  return krvl2::cli::runDump(arguments, STDOUT_FILENO, STDERR_FILENO);
}
