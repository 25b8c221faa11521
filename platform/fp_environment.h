#pragma once

namespace vantrel {

// Puts the calling thread's floating-point unit into the state every front end
// starts in: round to nearest (ties to even), every exception masked, so that a
// division by zero or an invalid operation gives an infinity or a NaN instead of
// a trap.
void useDefaultFloatingPoint();

}  // namespace vantrel
