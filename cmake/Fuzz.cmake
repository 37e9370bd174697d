# BRISCA_FUZZ builds the fuzz targets of tests/fuzz with libFuzzer, which only clang has.
# Every library is instrumented for coverage and checked by the address and undefined
# behaviour sanitizers, so that a fault anywhere below a parser is found. The ordinary build
# does not need them; on Debian: apt-get install clang libclang-rt-dev. Then:
#   CC=clang CXX=clang++ cmake -S . -B build-fuzz -DBRISCA_FUZZ=ON
#   cmake --build build-fuzz --target job_folder_fuzz
#   build-fuzz/bin/job_folder_fuzz -max_total_time=180 new-inputs/ tests/fuzz/corpus/job_folder
option(BRISCA_FUZZ "Build the libFuzzer targets (needs clang)" OFF)

if(BRISCA_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "BRISCA_FUZZ needs clang and its libFuzzer; configure with "
                        "-DCMAKE_CXX_COMPILER=clang++ (the compiler now is ${CMAKE_CXX_COMPILER_ID})")
  endif()
  target_compile_options(brisca_options INTERFACE
    -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(brisca_options INTERFACE -fsanitize=address,undefined)
endif()
