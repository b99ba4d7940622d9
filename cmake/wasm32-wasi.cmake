# The browser build: WebAssembly for WASI with Debian's clang, lld, libc++
# and wasi-libc (tools/setup.sh web installs them). Debian ships these in
# one LLVM version per release, so the version is looked up, not named.
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR wasm32)

foreach(version 19 18 17 16)
    foreach(triple wasm32-wasi wasm32-wasip1)
        if(NOT LAMINO_WASM_LIBCXX AND EXISTS /usr/lib/llvm-${version}/include/${triple}/c++/v1)
            set(LAMINO_WASM_LLVM ${version})
            set(LAMINO_WASM_TRIPLE ${triple})
            set(LAMINO_WASM_LIBCXX /usr/lib/llvm-${version}/include/${triple}/c++/v1)
        endif()
    endforeach()
endforeach()
if(NOT LAMINO_WASM_LIBCXX)
    message(FATAL_ERROR "No libc++ for WebAssembly (libc++-NN-dev-wasm32): run tools/setup.sh web")
endif()

set(CMAKE_CXX_COMPILER /usr/bin/clang++-${LAMINO_WASM_LLVM})
set(CMAKE_CXX_COMPILER_TARGET ${LAMINO_WASM_TRIPLE})
set(CMAKE_SYSROOT /usr)
# The host's own headers come after WASI's on the search path: libc++ first,
# so that nothing of glibc's stands in for a missing header.
# The WebAssembly features are the few that the oldest browsers Lamino runs in
# have (Chromium 74, Firefox 62, Safari 14.1), not the compiler's defaults,
# which grow with each LLVM (19 adds reference types and multiple values).
# (cmake/web.cmake compiles with them).
set(LAMINO_WASM_FEATURES -mcpu=mvp -msign-ext -mmutable-globals)
set(CMAKE_CXX_FLAGS_INIT "-isystem ${LAMINO_WASM_LIBCXX} -fno-exceptions")
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(LAMINO_WASM_STRIP /usr/bin/llvm-strip-${LAMINO_WASM_LLVM})
