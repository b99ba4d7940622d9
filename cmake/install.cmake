# What `cmake --install` puts on a system, and the Debian package that CPack
# makes of it (tools/package.sh).

include(GNUInstallDirs)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(LAMINO_MAINTAINER "Lamino 开发组 <lamino@example.org>")

# The release records name the version they describe: each must name this one.
function(lamino_check_release_record file pattern)
    file(READ ${file} text)
    string(REGEX MATCH "${pattern}" found "${text}")
    if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
        message(FATAL_ERROR "${file} names version '${CMAKE_MATCH_1}' last, the project is ${PROJECT_VERSION}: "
            "describe this version there")
    endif()
endfunction()
set(metainfo res/${LAMINO_APP_ID}.metainfo.xml)
lamino_check_release_record(${metainfo} "<release version=\"([^\"]+)\"")
lamino_check_release_record(res/release/changelog "^lamino \\(([^)]+)\\)")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${metainfo} res/release/changelog)

install(TARGETS lamino RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES res/${LAMINO_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${metainfo} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES res/icon/lamino.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 24 32 48 64 128 256)
    install(FILES res/icon/lamino-${size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME lamino.png)
endforeach()

# The manual page and the changelog, compressed as Debian keeps them.
set(docs ${CMAKE_CURRENT_BINARY_DIR}/docs)
configure_file(res/release/lamino.1.in ${docs}/lamino.1 @ONLY)
configure_file(res/release/changelog ${docs}/changelog COPYONLY)
foreach(doc lamino.1 changelog)
    add_custom_command(OUTPUT ${docs}/${doc}.gz
        COMMAND gzip -9nkf ${doc}
        DEPENDS ${docs}/${doc}
        WORKING_DIRECTORY ${docs})
endforeach()
add_custom_target(lamino_docs ALL DEPENDS ${docs}/lamino.1.gz ${docs}/changelog.gz)
install(FILES ${docs}/lamino.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
set(docdir ${CMAKE_INSTALL_DATADIR}/doc/lamino)
install(FILES ${docs}/changelog.gz res/release/copyright DESTINATION ${docdir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lamino)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Lamino 开发组")
set(CPACK_PACKAGE_CONTACT "${LAMINO_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from what the binary links. Beside them: the font the
# dialog templates are measured for, the one the diagrams letter their
# dimensions in, and Qt's Wayland plugin, without which Lamino cannot start
# on a Wayland session that runs no X server (GNOME's default on Debian 13).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-arphic-uming, fonts-dejavu-extra, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculator for printed-circuit-board engineers")
set(CPACK_PACKAGE_DESCRIPTION [=[
Lamino is a small calculator for the everyday figures of printed-circuit-board
work, in one window with four tabs: a unit converter for lengths, masses,
copper-foil weight and thickness and copper area, converting as you type; the
copper clearance beside a V-cut scoring groove; the bevel of a gold-finger edge
connector; and the depth of a countersunk hole. The geometry tabs show a
dimensioned diagram and work in millimetres or mils.

The user interface is in Simplified Chinese.]=])
include(CPack)
