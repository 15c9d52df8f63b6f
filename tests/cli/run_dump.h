// Runs the built krvl2-dump as a user would, and gives back what it printed.
#pragma once

#include <string>
#include <vector>

namespace krvl2::testing {

struct DumpRun {
  int status = -1;  // exit status, or -1 when it did not exit normally
  std::string out;
  std::string err;
};

struct DumpEnvironment {
  // The working directory; the source tree by default, so that the sample
  // is samples/pass.kss as in the README.
  std::string directory;
  // The locale the tool finds in LC_ALL; the C locale by default.
  std::string locale = "C.UTF-8";
  // Where standard output goes instead of a file (e.g. "/dev/full").
  std::string outputFile;
};

DumpEnvironment inLocale(const std::string& locale);
DumpEnvironment inDirectory(const std::string& directory);
DumpEnvironment withOutputTo(const std::string& file);

DumpRun runDump(const std::vector<std::string>& arguments, const DumpEnvironment& environment = {});

// The source tree and the checked-in expected outputs.
std::string sourceDirectory();
std::string expectedOutput(const std::string& name);

// The lines of a text, without their line ends.
std::vector<std::string> linesOf(const std::string& text, const std::string& lineEnd = "\n");

}  // namespace krvl2::testing
