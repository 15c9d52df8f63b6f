#include "app/handler_guard.h"

#include <exception>
#include <optional>
#include <string>

#include "capture/failure.h"

void runHandler(ErrorReporter& reporter, const std::function<void()>& handler) noexcept {
  std::optional<std::string> message;
  try {
    handler();
  } catch (const krvl2::Failure& failure) {
    message = failure.message();
  } catch (const std::exception& error) {
    // Not one of ours (out of memory, most likely): still better shown than
    // left to end the program.
    message = error.what();
  }
  // The box runs its own event loop; it is shown after the exception is gone.
  if (message) reporter.report(*message);
}
