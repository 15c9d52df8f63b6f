#include "support/temp_dir.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace krvl2::testing {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "krvl2-test-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  namespace fs = std::filesystem;
  std::error_code ignored;
  // Tests take permissions away; give them back so that everything can go.
  for (auto it = fs::recursive_directory_iterator(path_, ignored); it != fs::recursive_directory_iterator();
       it.increment(ignored)) {
    fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  }
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(path_, ignored);
}

std::string fileContent(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string runUnprivileged(const std::function<std::string()>& work) {
  int channel[2];
  if (::pipe(channel) != 0) throw std::runtime_error("pipe failed");
  const pid_t child = ::fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    ::close(channel[0]);
    if (::geteuid() == 0) {
      constexpr uid_t nobody = 65534;
      if (::setgid(nobody) != 0 || ::setuid(nobody) != 0) ::_exit(3);
    }
    std::string result;
    try {
      result = work();
    } catch (const std::exception& e) {
      result = std::string("exception: ") + e.what();
    }
    const char* data = result.data();
    std::size_t left = result.size();
    while (left > 0) {
      const auto written = ::write(channel[1], data, left);
      if (written <= 0) break;
      data += written;
      left -= static_cast<std::size_t>(written);
    }
    ::_exit(0);
  }
  ::close(channel[1]);
  std::string result;
  char buffer[4096];
  for (;;) {
    const auto got = ::read(channel[0], buffer, sizeof buffer);
    if (got <= 0) break;
    result.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(channel[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error("unprivileged child failed");
  return result;
}

}  // namespace krvl2::testing
