#pragma once

#include <functional>

class Messages;

// Runs an event handler. An uncaught failure is shown by the general error
// report and the handler ends there; a SilentAbort shows nothing more.
// Returns false when the handler did not run to its end.
bool runGuarded(Messages &messages, const std::function<void()> &handler);
