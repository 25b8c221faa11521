# Compiler settings shared by every target: link vantrel_options to get them.

add_library(vantrel_options INTERFACE)
target_compile_options(vantrel_options INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion)

if(VANTREL_SANITIZE)
  target_compile_options(vantrel_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(vantrel_options INTERFACE -fsanitize=address,undefined)
endif()

# The solver's results depend on every rounding step happening exactly as
# written: no contraction into fused multiply-adds, no relaxed IEEE semantics.
add_library(vantrel_strict_fp INTERFACE)
target_compile_options(vantrel_strict_fp INTERFACE -ffp-contract=off -fno-fast-math)
