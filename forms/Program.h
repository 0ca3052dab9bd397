#pragma once

namespace Program {
// Ends the process at once with status 0: no window handler, no timer and no
// destructor runs afterwards. There is nothing to save.
[[noreturn]] void end();
} // namespace Program
