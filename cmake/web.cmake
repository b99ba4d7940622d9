# Lamino in a browser: the same pages and main window compiled to WebAssembly
# over a dialog layer on the page's DOM, made into one HTML file that holds
# the module, the script, the diagrams, the icon and the font.

# Debian's own Python, which has fontTools (python3-fonttools).
find_program(LAMINO_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
find_program(LAMINO_WASM_OPT wasm-opt REQUIRED)

# The resource script as written, carried in the module.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS res/lamino.rc)
file(READ res/lamino.rc script)
file(GENERATE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/ResourceScriptText.cpp
    CONTENT "extern const char kLaminoResourceScript[];\nconst char kLaminoResourceScript[] = R\"lamino_rc(${script})lamino_rc\";\n")

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
add_executable(lamino-module app/ToolApp.cpp dialog/web/Exports.cpp)
target_link_libraries(lamino-module PRIVATE lamino_app -lc-printscan-long-double)
target_link_options(lamino-module PRIVATE -mexec-model=reactor -Wl,--export=_initialize)

# DoModal waits for its dialog to end while the page goes on: binaryen's
# asyncify sets the module's stack aside at window_run_modal and brings it
# back when the script resumes it. No debug information or producer notes,
# so that two builds anywhere give the same bytes.
set(module ${CMAKE_CURRENT_BINARY_DIR}/lamino.wasm)
add_custom_command(OUTPUT ${module}
    COMMAND ${LAMINO_WASM_OPT} $<TARGET_FILE:lamino-module> -O2 --asyncify
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
add_custom_command(OUTPUT ${html}
    COMMAND ${LAMINO_PYTHON} ${CMAKE_CURRENT_SOURCE_DIR}/tools/web/make-html.py
            --source ${CMAKE_CURRENT_SOURCE_DIR} --module ${module} --version ${PROJECT_VERSION} --output ${html}
    DEPENDS ${module} ${web}/lamino.js ${web}/lamino.css ${web}/lamino.html res/lamino.rc ${diagrams}
            res/icon/lamino-32.png res/icon/lamino-64.png tools/web/make-html.py app/MainDlg.cpp
    COMMENT "Making lamino.html")
add_custom_target(lamino-html ALL DEPENDS ${html})
