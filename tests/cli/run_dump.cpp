#include "run_dump.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "support/temp_dir.h"

namespace krvl2::testing {

std::string sourceDirectory() { return KRVL2_SOURCE_DIR; }

std::string expectedOutput(const std::string& name) {
  const std::string path = sourceDirectory() + "/tests/cli/expected/" + name;
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("missing expected output " + path);
  return fileContent(path);
}

DumpEnvironment inLocale(const std::string& locale) {
  DumpEnvironment environment;
  environment.locale = locale;
  return environment;
}

DumpEnvironment inDirectory(const std::string& directory) {
  DumpEnvironment environment;
  environment.directory = directory;
  return environment;
}

DumpEnvironment withOutputTo(const std::string& file) {
  DumpEnvironment environment;
  environment.outputFile = file;
  return environment;
}

DumpRun runDump(const std::vector<std::string>& arguments, const DumpEnvironment& environment) {
  TempDir dir;
  const std::string outPath = environment.outputFile.empty() ? dir.file("out") : environment.outputFile;
  const std::string errPath = dir.file("err");

  std::vector<std::string> argumentTexts = {KRVL2_DUMP};
  argumentTexts.insert(argumentTexts.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (auto& text : argumentTexts) argv.push_back(text.data());
  argv.push_back(nullptr);

  std::vector<std::string> environmentTexts = {"LC_ALL=" + environment.locale, "PATH=/usr/bin:/bin"};
  // The sanitizers' settings go through to the tool.
  for (const char* name : {"ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS"}) {
    if (const char* value = std::getenv(name)) environmentTexts.push_back(std::string(name) + "=" + value);
  }
  std::vector<char*> envp;
  for (auto& text : environmentTexts) envp.push_back(text.data());
  envp.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const std::string directory = environment.directory.empty() ? sourceDirectory() : environment.directory;
  posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());

  pid_t child = 0;
  const int spawned = posix_spawn(&child, KRVL2_DUMP, &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) throw std::runtime_error("cannot start " KRVL2_DUMP);
  int status = 0;
  ::waitpid(child, &status, 0);

  DumpRun run;
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  if (environment.outputFile.empty()) run.out = fileContent(outPath);
  run.err = fileContent(errPath);
  return run;
}

std::vector<std::string> linesOf(const std::string& text, const std::string& lineEnd) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const auto end = text.find(lineEnd, start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + lineEnd.size();
  }
  return lines;
}

}  // namespace krvl2::testing
