// krvl2-dump as a whole: reads the command line, prints every capture in the
// chosen format, and tells how it went by its exit status.
#pragma once

#include <string>
#include <vector>

namespace krvl2::cli {

// 0 when every capture was read to its end and every frame decoded, 1 when
// not (what could be printed was), 2 for a wrong command line.
int runDump(const std::vector<std::string>& arguments, int outputFd, int errorFd);

}  // namespace krvl2::cli
