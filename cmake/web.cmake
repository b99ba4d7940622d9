# Lamino in a browser: the same pages and main window compiled to WebAssembly
# over a dialog layer on the page's DOM, made into one HTML file that holds
# the module, the script, the diagrams, the icon and the font.

# Debian's own Python, which has fontTools (python3-fonttools).
find_program(LAMINO_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
find_program(LAMINO_WASM_OPT wasm-opt REQUIRED)

add_compile_options(${LAMINO_WASM_FEATURES})

# The resource script as written, carried in the module.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS res/lamino.rc res/resource.h)
file(READ res/lamino.rc script)
file(READ res/resource.h header)
file(GENERATE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/ResourceScriptText.cpp
    CONTENT "extern const char kLaminoResourceScript[];\nconst char kLaminoResourceScript[] = R\"lamino_rc(${script})lamino_rc\";\nextern const char kLaminoResourceHeader[];\nconst char kLaminoResourceHeader[] = R\"lamino_rc(${header})lamino_rc\";\n")

add_library(lamino_dialog STATIC
    ${LAMINO_DIALOG_SHARED_SOURCES}
    dialog/web/Dialog.cpp
    dialog/web/DialogWindow.cpp
    dialog/web/Resources.cpp
    ${CMAKE_CURRENT_BINARY_DIR}/ResourceScriptText.cpp
)
target_include_directories(lamino_dialog PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})

add_library(lamino_app STATIC ${LAMINO_PAGE_SOURCES})
target_link_libraries(lamino_app PUBLIC lamino_dialog)

# A module with no main: the page's script starts it. Hexadecimal numbers
# with long mantissas need wasi-libc's long-double scanning to round right.
add_executable(lamino-module app/ToolApp.cpp dialog/web/Exports.cpp dialog/web/MemoryFunctions.cpp)
target_link_libraries(lamino-module PRIVATE lamino_app -lc-printscan-long-double)
target_link_options(lamino-module PRIVATE -mexec-model=reactor -Wl,--export=_initialize)

# DoModal waits for its dialog to end while the page goes on: binaryen's
# asyncify sets the module's stack aside at window_run_modal and brings it
# back when the script resumes it. No debug information or producer notes,
# so that two builds anywhere give the same bytes. Debian's libc++ and
# wasi-libc were compiled for the features of their LLVM: wasm-opt writes the
# module anew with those of the compile flags alone, and fails if any code
# needs another.
set(module ${CMAKE_CURRENT_BINARY_DIR}/lamino.wasm)
set(module_features --mvp-features)
foreach(flag ${LAMINO_WASM_FEATURES})
    if(flag MATCHES "^-m([a-z-]+)$")
        list(APPEND module_features --enable-${CMAKE_MATCH_1})
    endif()
endforeach()
# The features that the C library's objects declare would be added to those:
# the linked module's declaration is dropped first.
set(linked ${CMAKE_CURRENT_BINARY_DIR}/lamino-linked.wasm)
add_custom_command(OUTPUT ${module}
    COMMAND ${LAMINO_WASM_OPT} $<TARGET_FILE:lamino-module> --strip-target-features -o ${linked}
    COMMAND ${LAMINO_WASM_OPT} ${linked} ${module_features} --emit-target-features -O2 --asyncify
            --pass-arg=asyncify-imports@lamino.window_run_modal
            --strip-debug --strip-producers -o ${module}
    DEPENDS lamino-module
    COMMENT "Letting modal dialogs wait in lamino.wasm")

# The number rules, for the comparison with the Linux build under Node's WASI.
add_executable(lamino-number-oracle tests/web/NumberOracle.cpp pages/NumberText.cpp pages/Geometry.cpp)
target_include_directories(lamino-number-oracle PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(lamino-number-oracle PRIVATE -lc-printscan-long-double)

set(web ${CMAKE_CURRENT_SOURCE_DIR}/dialog/web)
set(html ${CMAKE_CURRENT_BINARY_DIR}/lamino.html)
file(GLOB diagrams res/diagrams/*.svg)
# The page's script: lamino.js and one file per kind of control, with the
# constants of the headers in it.
file(GLOB page_controls CONFIGURE_DEPENDS ${web}/controls/*.js)
set(html_inputs ${module} ${web}/lamino.js ${page_controls} dialog/Win32Defs.h dialog/ResourceScript.h
    ${web}/lamino.css ${web}/lamino.html res/lamino.rc res/resource.h ${diagrams}
    res/icon/lamino-32.png res/icon/lamino-64.png tools/web/make-html.py app/MainDlg.cpp)
add_custom_command(OUTPUT ${html}
    COMMAND ${LAMINO_PYTHON} ${CMAKE_CURRENT_SOURCE_DIR}/tools/web/make-html.py
            --source ${CMAKE_CURRENT_SOURCE_DIR} --module ${module} --version ${PROJECT_VERSION} --output ${html}
    DEPENDS ${html_inputs}
    COMMENT "Making lamino.html")
add_custom_target(lamino-html ALL DEPENDS ${html})

# The site (site/: index.html, manifest, icons, offline worker), whose icons
# lamino-rasterize of a Linux build draws; without one, no site.
set(LAMINO_RASTERIZE "" CACHE FILEPATH "lamino-rasterize from a build for the build machine, for the site's icons")
if(EXISTS "${LAMINO_RASTERIZE}")
    set(site ${CMAKE_CURRENT_BINARY_DIR}/site)
    file(GLOB site_sources tools/web/site/*)
    add_custom_command(OUTPUT ${site}/index.html ${site}/service-worker.js
        COMMAND ${CMAKE_COMMAND} -E rm -rf ${site}
        COMMAND ${LAMINO_PYTHON} ${CMAKE_CURRENT_SOURCE_DIR}/tools/web/make-html.py
                --source ${CMAKE_CURRENT_SOURCE_DIR} --module ${module} --version ${PROJECT_VERSION}
                --output ${CMAKE_CURRENT_BINARY_DIR}/site-page.html --site ${site} --rasterize ${LAMINO_RASTERIZE}
        DEPENDS ${html_inputs} ${site_sources} ${LAMINO_RASTERIZE} res/icon/lamino.svg res/io.github.lamino.Lamino.desktop
        COMMENT "Making the site")
    add_custom_target(lamino-site ALL DEPENDS ${site}/index.html)
else()
    message(STATUS "No lamino-rasterize (LAMINO_RASTERIZE): no site; build lamino-rasterize in the dev preset first")
endif()
