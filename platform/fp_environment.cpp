#include "platform/fp_environment.h"

#include <cfenv>

namespace vantrel {

void useDefaultFloatingPoint() {
  std::fesetround(FE_TONEAREST);
  // feholdexcept clears the flags and switches to non-stop mode: every
  // exception masked.
  std::fenv_t previous;
  std::feholdexcept(&previous);
  std::feclearexcept(FE_ALL_EXCEPT);
}

}  // namespace vantrel
