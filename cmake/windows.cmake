# Lamino on plain Win32: the same pages and main window over a dialog layer
# on USER32 and the common controls, with the dialogs, menu, strings, icon,
# version record and manifest compiled from res/ by windres.

enable_language(RC)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)

add_library(lamino_dialog STATIC
    dialog/ControlNames.cpp
    dialog/Dialog.cpp
    dialog/ResourceScript.cpp
    dialog/WinApp.cpp
    dialog/win32/AccessibleNames.cpp
    dialog/win32/Dialog.cpp
    dialog/win32/DialogWindow.cpp
    dialog/win32/MessageLoop.cpp
    dialog/win32/Resources.cpp
    dialog/win32/SystemColours.cpp
    dialog/win32/TabSwitchKeys.cpp
)
target_include_directories(lamino_dialog PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
# Accessible names go out through the system's accessibility (OLEACC) and COM.
target_link_libraries(lamino_dialog PUBLIC comctl32 gdi32 user32 oleacc ole32 oleaut32 uuid)

add_library(lamino_app STATIC ${LAMINO_PAGE_SOURCES})
target_link_libraries(lamino_app PUBLIC lamino_dialog)

# The resource script is res/lamino.rc itself, its SVG diagrams swapped for
# bitmaps that a build for this machine draws (windres takes no SVG).
set(LAMINO_RASTERIZE "" CACHE FILEPATH "lamino-rasterize from a build for the build machine")
if(NOT LAMINO_RASTERIZE)
    message(FATAL_ERROR "Set LAMINO_RASTERIZE to lamino-rasterize of a Linux build (tools/test-windows.sh does)")
endif()
set(generated ${CMAKE_CURRENT_BINARY_DIR}/res)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS res/lamino.rc)
file(READ res/lamino.rc script)
string(REGEX MATCHALL "diagrams/[a-z]+\\.svg" diagrams "${script}")
string(REPLACE ".svg\"" ".bmp\"" script "${script}")
file(GENERATE OUTPUT ${generated}/lamino.rc CONTENT "${script}")
# The manifest names the processor the program is built for.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS res/lamino.manifest)
file(READ res/lamino.manifest manifest)
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    string(REPLACE "processorArchitecture=\"x86\"" "processorArchitecture=\"amd64\"" manifest "${manifest}")
endif()
file(GENERATE OUTPUT ${generated}/lamino.manifest CONTENT "${manifest}")
set(res ${CMAKE_CURRENT_SOURCE_DIR}/res)
set(resource_files ${generated}/lamino.rc ${generated}/lamino.manifest ${res}/version.rc ${res}/icon/lamino.ico)
foreach(svg ${diagrams})
    string(REPLACE ".svg" ".bmp" bmp ${svg})
    add_custom_command(OUTPUT ${generated}/${bmp}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${generated}/diagrams
        COMMAND ${LAMINO_RASTERIZE} ${CMAKE_CURRENT_SOURCE_DIR}/res/${svg} ${generated}/${bmp}
        DEPENDS res/${svg}
        COMMENT "Drawing ${svg} as a bitmap")
    list(APPEND resource_files ${generated}/${bmp})
endforeach()
add_custom_target(lamino_resource_files DEPENDS ${resource_files})
set(resources ${CMAKE_CURRENT_SOURCE_DIR}/dialog/win32/resources.rc)
set_source_files_properties(${resources} PROPERTIES OBJECT_DEPENDS "${resource_files}")

function(lamino_windows_program target)
    target_sources(${target} PRIVATE ${resources})
    target_include_directories(${target} PRIVATE ${generated} ${CMAKE_CURRENT_SOURCE_DIR}/res)
    add_dependencies(${target} lamino_resource_files)
    # Unicode entry point; code page 65001 for the script's Chinese texts.
    target_link_options(${target} PRIVATE -municode)
endfunction()
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")

add_executable(lamino WIN32 app/ToolApp.cpp dialog/win32/WinMain.cpp)
set_target_properties(lamino PROPERTIES OUTPUT_NAME Lamino)
# What ships carries no debug information.
target_link_options(lamino PRIVATE -s)
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

# Checks of the window's size, icons, frame and page backgrounds.
add_executable(lamino-chrome-test tests/windows/WindowChromeTest.cpp)
target_link_libraries(lamino-chrome-test PRIVATE lamino_app)
lamino_windows_program(lamino-chrome-test)

# Colours under the system's colour scheme, high contrast through the layer's seam.
add_executable(lamino-colours-test
    tests/windows/ColourSchemeTest.cpp
    tools/drive/win32/PngFile.cpp
    tools/drive/win32/ScreenPicture.cpp
)
target_include_directories(lamino-colours-test PRIVATE tools/drive/win32)
target_link_libraries(lamino-colours-test PRIVATE lamino_app)
lamino_windows_program(lamino-colours-test)
