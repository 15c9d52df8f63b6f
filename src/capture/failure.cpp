#include "capture/failure.h"

#include <sys/stat.h>

#include <cerrno>

namespace krvl2 {

namespace {

std::string parentDirectory(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

bool isDirectory(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

std::string ioErrorMessage(int errorCode) {
  switch (errorCode) {
    case ENOENT:
      return "File not found";
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
      return "Invalid filename";
    case EMFILE:
    case ENFILE:
      return "Too many open files";
    case EACCES:
    case EPERM:
    case EISDIR:  // a directory cannot be opened as a capture or an export file
    case EROFS:
      return "File access denied";
    default:
      return "I/O error " + std::to_string(errorCode);
  }
}

Failure openFailure(int errorCode, const std::string& path) {
  if (errorCode == ENOENT && !isDirectory(parentDirectory(path))) {
    return Failure(ioErrorMessage(ENOTDIR));
  }
  return Failure(ioErrorMessage(errorCode));
}

Failure ioFailure(int errorCode) { return Failure(ioErrorMessage(errorCode)); }

Failure readBeyondEndOfFile() { return Failure("Read beyond end of file"); }

}  // namespace krvl2
