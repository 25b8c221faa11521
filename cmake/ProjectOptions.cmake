# Compiler settings shared by every target: link vantrel_options to get them.

add_library(vantrel_options INTERFACE)
target_compile_options(vantrel_options INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion)

# Hardening, as Debian builds its packages: a stack protector, fortified C
# library calls where the build optimises, and a read-only relocation table
# bound at start-up (bindnow). Position-independent executables are the
# compiler's default. None of it touches floating point. The sanitizer and
# fuzz builds go without fortification, which would hide calls from them.
# WebAssembly has none of these to harden: its return addresses and code are
# out of reach of the program's memory, and it has no relocation table.
if(NOT EMSCRIPTEN)
  target_compile_options(vantrel_options INTERFACE -fstack-protector-strong)
  if(NOT VANTREL_SANITIZE AND NOT VANTREL_FUZZ)
    target_compile_definitions(vantrel_options INTERFACE $<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
  endif()
  target_link_options(vantrel_options INTERFACE LINKER:-z,relro LINKER:-z,now)
endif()

if(VANTREL_SANITIZE)
  target_compile_options(vantrel_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(vantrel_options INTERFACE -fsanitize=address,undefined)
endif()

# The solver's results depend on every rounding step happening exactly as
# written: no contraction into fused multiply-adds, no relaxed IEEE semantics.
add_library(vantrel_strict_fp INTERFACE)
target_compile_options(vantrel_strict_fp INTERFACE -ffp-contract=off -fno-fast-math)
