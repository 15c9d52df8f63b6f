// Where failures stop: every event handler of the windows runs through here.
//
// Failures travel as exceptions from wherever they happen, but Qt is built
// without exception support, so one must never unwind through Qt's frames (it
// would skip Qt's own cleanup or end the event loop). Each handler is wrapped
// so that a failure it raises ends the handler and goes to the error
// reporter; the program then goes on with the next event.
#pragma once

#include <QObject>
#include <functional>
#include <utility>

#include "app/error_box.h"

// Runs `handler`; a failure it raises is handed to `reporter` instead of
// travelling on.
void runHandler(ErrorReporter& reporter, const std::function<void()>& handler) noexcept;

// Connects `signal` of `sender` to `handler`, run through runHandler. The
// connection ends with `context`.
template <typename Sender, typename Signal>
QMetaObject::Connection connectHandler(const Sender* sender, Signal signal, const QObject* context,
                                       ErrorReporter& reporter, std::function<void()> handler) {
  return QObject::connect(sender, signal, context,
                          [&reporter, handler = std::move(handler)] { runHandler(reporter, handler); });
}
