// The one exception type for failures the user sees.
//
// A Failure carries the exact text of the message box (without the full stop
// the box may add). It is thrown where the failure happens and caught only by
// the application's error adapter (and by the command-line tool's main loop).
#pragma once

#include <stdexcept>
#include <string>

namespace krvl2 {

class Failure : public std::runtime_error {
 public:
  explicit Failure(const std::string& message) : std::runtime_error(message) {}
  std::string message() const { return what(); }
};

// Message of a failed file operation, by this platform's error code (errno):
// file not found, path not found, too many open files, access denied, and
// "I/O error %d" with the code itself for anything else.
std::string ioErrorMessage(int errorCode);

// The failure of opening or creating `path`. A missing file whose directory is
// missing too (or is not a directory) is "Invalid filename", not "File not found".
Failure openFailure(int errorCode, const std::string& path);

// Any other failed operation on an open file.
Failure ioFailure(int errorCode);

// A read asking for more bytes than the file still holds.
Failure readBeyondEndOfFile();

}  // namespace krvl2
