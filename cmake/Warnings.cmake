# Project-wide compile settings, attached to targets through brisca_options.
#
# -ffp-contract=off keeps a*b+c from being fused into one rounding, so the Monte Carlo
# results do not change with -march; value-unsafe maths (-ffast-math) is never used.
# Warnings stop the build only where asked (BRISCA_WERROR, as the CI does): a newer
# compiler's new warning must not keep a user from building a release.
add_library(brisca_options INTERFACE)
target_compile_options(brisca_options INTERFACE
  -Wall -Wextra
  -ffp-contract=off
  -fno-fast-math)

if(BRISCA_WERROR)
  target_compile_options(brisca_options INTERFACE -Werror)
endif()

if(BRISCA_SANITIZE)
  target_compile_options(brisca_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(brisca_options INTERFACE -fsanitize=address,undefined)
endif()
