// A temporary directory for one test, removed with everything in it.
#pragma once

#include <functional>
#include <string>

namespace krvl2::testing {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// The whole content of a file, or "" when it cannot be read.
std::string fileContent(const std::string& path);

// Runs `work` in a child process without root's privileges (as nobody when
// the tests run as root, unchanged otherwise) and returns what it returned.
// Lets a permission check be tested whoever runs the tests.
std::string runUnprivileged(const std::function<std::string()>& work);

}  // namespace krvl2::testing
