# Cross build for 32-bit Windows with clang and lld on the MinGW-w64 headers and
# libraries (the same target and libraries as the MinGW-w64 GCC build, another
# compiler and linker; resources still go through MinGW-w64's windres); test
# programs run under Wine.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-i686.cmake)

set(CMAKE_C_COMPILER clang-14)
set(CMAKE_CXX_COMPILER clang++-14)
set(CMAKE_C_COMPILER_TARGET ${MINGW_TRIPLET})
set(CMAKE_CXX_COMPILER_TARGET ${MINGW_TRIPLET})

# Debian's MinGW-w64 GCC keeps libstdc++'s headers and libgcc (for the win32
# thread model) in a folder of its own, where clang does not look by itself.
file(GLOB MINGW_GCC_DIRS /usr/lib/gcc/${MINGW_TRIPLET}/*-win32)
list(GET MINGW_GCC_DIRS -1 MINGW_GCC_DIR)
set(CMAKE_CXX_FLAGS_INIT "-isystem ${MINGW_GCC_DIR}/include/c++ -isystem ${MINGW_GCC_DIR}/include/c++/${MINGW_TRIPLET}")
foreach(kind EXE SHARED MODULE)
  set(CMAKE_${kind}_LINKER_FLAGS_INIT "-fuse-ld=lld -L${MINGW_GCC_DIR}")
endforeach()
