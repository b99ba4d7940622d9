# Lamino on plain Win32: the same pages and main window over a dialog layer
# on USER32 and the common controls, with the dialogs, menu, strings, icon,
# version record and manifest compiled from res/ by windres.

enable_language(RC)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)

add_library(lamino_dialog STATIC
    ${LAMINO_DIALOG_SHARED_SOURCES}
    dialog/win32/AccessibleNames.cpp
    dialog/win32/Dialog.cpp
    dialog/win32/DialogWindow.cpp
    dialog/win32/Dpi.cpp
    dialog/win32/DpiLayout.cpp
    dialog/win32/MessageLoop.cpp
    dialog/win32/Pictures.cpp
    dialog/win32/Resources.cpp
    dialog/win32/SystemColours.cpp
    dialog/win32/TabSwitchKeys.cpp
    dialog/win32/WindowQueries.cpp
)
target_include_directories(lamino_dialog PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
# Accessible names go out through the system's accessibility (OLEACC) and COM;
# ole32 also serves the imaging component that decodes the pictures; uuid is static.
target_link_libraries(lamino_dialog PUBLIC comctl32 gdi32 user32 oleacc ole32 oleaut32 uuid)

add_library(lamino_app STATIC ${LAMINO_PAGE_SOURCES})
target_link_libraries(lamino_app PUBLIC lamino_dialog)

# The resource script is res/lamino.rc itself, each SVG diagram swapped for
# PNG images that a build for this machine draws at every scale a screen may
# ask for (windres takes no SVG); dialog/win32/Pictures.cpp picks among them.
set(LAMINO_RASTERIZE "" CACHE FILEPATH "lamino-rasterize from a build for the build machine")
if(NOT LAMINO_RASTERIZE)
    message(FATAL_ERROR "Set LAMINO_RASTERIZE to lamino-rasterize of a Linux build (tools/test-windows.sh does)")
endif()
set(LAMINO_PICTURE_SCALES 100 125 150 175 200 250 300)
set(generated ${CMAKE_CURRENT_BINARY_DIR}/res)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS res/lamino.rc)
file(READ res/lamino.rc script)
string(REGEX MATCHALL "[A-Z_0-9]+ BITMAP \"diagrams/[a-z]+\\.svg\"" diagrams "${script}")
set(pictures)
foreach(line ${diagrams})
    string(REGEX REPLACE "([A-Z_0-9]+) BITMAP \"diagrams/([a-z]+)\\.svg\"" "\\1;\\2" fields "${line}")
    list(GET fields 0 id)
    list(GET fields 1 name)
    set(images)
    set(outputs)
    foreach(percent ${LAMINO_PICTURE_SCALES})
        string(APPEND images "${id} PNG${percent} \"diagrams/${name}@${percent}.png\"\n")
        list(APPEND outputs ${generated}/diagrams/${name}@${percent}.png)
    endforeach()
    string(REPLACE "${line}\n" "${images}" script "${script}")
    add_custom_command(OUTPUT ${outputs}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${generated}/diagrams
        COMMAND ${LAMINO_RASTERIZE} ${CMAKE_CURRENT_SOURCE_DIR}/res/diagrams/${name}.svg
                ${generated}/diagrams/${name} ${LAMINO_PICTURE_SCALES}
        DEPENDS res/diagrams/${name}.svg
        COMMENT "Drawing diagrams/${name}.svg at every scale")
    list(APPEND pictures ${outputs})
endforeach()
file(GENERATE OUTPUT ${generated}/lamino.rc CONTENT "${script}")
# The program also carries the script as written, which the dialog layer reads
# to name the controls (the compiled templates do not say which label is whose).
configure_file(res/lamino.rc ${generated}/source/lamino.rc COPYONLY)
configure_file(res/resource.h ${generated}/source/resource.h COPYONLY)
# The manifest names the processor the program is built for.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS res/lamino.manifest)
file(READ res/lamino.manifest manifest)
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    string(REPLACE "processorArchitecture=\"x86\"" "processorArchitecture=\"amd64\"" manifest "${manifest}")
endif()
file(GENERATE OUTPUT ${generated}/lamino.manifest CONTENT "${manifest}")
set(res ${CMAKE_CURRENT_SOURCE_DIR}/res)
set(resource_files ${generated}/lamino.rc ${generated}/source/lamino.rc ${generated}/source/resource.h ${generated}/lamino.manifest ${res}/version.rc ${res}/icon/lamino.ico ${pictures})
add_custom_target(lamino_resource_files DEPENDS ${resource_files})
set(resources ${CMAKE_CURRENT_SOURCE_DIR}/dialog/win32/resources.rc)
set_source_files_properties(${resources} PROPERTIES OBJECT_DEPENDS "${resource_files}")

function(lamino_windows_program target)
    target_sources(${target} PRIVATE ${resources})
    target_include_directories(${target} PRIVATE ${generated} ${CMAKE_CURRENT_SOURCE_DIR}/res)
    add_dependencies(${target} lamino_resource_files)
    # Unicode entry point; code page 65001 for the script's Chinese texts.
    # Every program links as the one that ships: without debug information,
    # and without the time of the link, so that one commit gives one file.
    target_link_options(${target} PRIVATE -municode -s -Wl,--no-insert-timestamp)
endfunction()
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")

add_executable(lamino WIN32 app/ToolApp.cpp dialog/win32/WinMain.cpp)
set_target_properties(lamino PROPERTIES OUTPUT_NAME Lamino)
target_link_libraries(lamino PRIVATE lamino_app)
lamino_windows_program(lamino)

# The scenario driver: the same command language, on the real Win32 window.
add_executable(lamino-drive
    tools/drive/win32/main.cpp
    tools/drive/win32/Driver.cpp
    tools/drive/win32/PngFile.cpp
    tools/drive/win32/ScreenPicture.cpp
    tools/drive/ScenarioSession.cpp
)
target_include_directories(lamino-drive PRIVATE tools/drive)
target_link_libraries(lamino-drive PRIVATE lamino_app)
lamino_windows_program(lamino-drive)

# The Windows test programs are GoogleTest programs, GoogleTest itself built
# for Windows from Debian's sources (package googletest).
set(LAMINO_GOOGLETEST_SOURCE /usr/src/googletest/googletest CACHE PATH "GoogleTest's sources")
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
add_subdirectory(${LAMINO_GOOGLETEST_SOURCE} ${CMAKE_CURRENT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
target_compile_options(gtest PRIVATE -w
    PUBLIC -include ${CMAKE_CURRENT_SOURCE_DIR}/tests/windows/StdMutexForMinGw.h)
target_include_directories(gtest PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})

# Checks of the window's size, icons, frame and page backgrounds.
add_executable(lamino-chrome-test tests/windows/WindowChromeTest.cpp)
target_link_libraries(lamino-chrome-test PRIVATE lamino_app gtest)
lamino_windows_program(lamino-chrome-test)

# Colours under the system's colour scheme, high contrast through the layer's seam.
add_executable(lamino-colours-test
    tests/windows/ColourSchemeTest.cpp
    tools/drive/win32/PngFile.cpp
    tools/drive/win32/ScreenPicture.cpp
)
target_include_directories(lamino-colours-test PRIVATE tools/drive/win32)
target_link_libraries(lamino-colours-test PRIVATE lamino_app gtest)
lamino_windows_program(lamino-colours-test)

# Checks of the layout, pictures and icons at the DPI the test runs at, and
# after moves to monitors of other DPIs.
add_executable(lamino-dpi-test tests/windows/DpiLayoutTest.cpp)
target_link_libraries(lamino-dpi-test PRIVATE lamino_app gtest)
lamino_windows_program(lamino-dpi-test)
