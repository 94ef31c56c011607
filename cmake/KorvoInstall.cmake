# The installed program: the launcher in bin/, the client module in the
# library folder, its read-only assets in
# share/korvo-gamebox/, a desktop entry, AppStream metainfo and the icon in the
# hicolor theme. A Debian package of the same with CPack (cpack -G DEB).
include(GNUInstallDirs)

set(KORVO_APP_ID "com.korvogame.KorvoClient")
set(KORVO_DATA_NAME "korvo-gamebox")
set(KORVO_PUBLIC_KEY "" CACHE FILEPATH
    "The portal's RSA public key (public_key_korvo.pem) that the installed client carries")

# The client finds its installed assets from where its executable is, so the
# installed tree may move as a whole (another prefix, a package root).
file(RELATIVE_PATH KORVO_INSTALLED_DATA_RELATIVE
     "${CMAKE_INSTALL_FULL_BINDIR}" "${CMAKE_INSTALL_FULL_DATADIR}/${KORVO_DATA_NAME}")
target_compile_definitions(korvo_base PRIVATE
    KORVO_INSTALLED_DATA="${KORVO_INSTALLED_DATA_RELATIVE}"
    KORVO_APP_ID="${KORVO_APP_ID}")

set(KORVO_LINUX_DIR ${CMAKE_SOURCE_DIR}/assets/linux)
configure_file(${KORVO_LINUX_DIR}/${KORVO_APP_ID}.desktop.in
               ${CMAKE_BINARY_DIR}/linux/${KORVO_APP_ID}.desktop @ONLY)
configure_file(${KORVO_LINUX_DIR}/${KORVO_APP_ID}.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/linux/${KORVO_APP_ID}.metainfo.xml @ONLY)
configure_file(${KORVO_LINUX_DIR}/KorvoClient.1 ${CMAKE_BINARY_DIR}/linux/KorvoClient.1 @ONLY)
configure_file(${KORVO_LINUX_DIR}/changelog.in ${CMAKE_BINARY_DIR}/linux/changelog @ONLY)

# The manual page and the changelog are installed compressed, without a time
# stamp in the gzip header, so that two builds of one version are the same.
set(KORVO_COMPRESSED)
foreach(file KorvoClient.1 changelog)
    set(compressed ${CMAKE_BINARY_DIR}/linux/${file}.gz)
    add_custom_command(OUTPUT ${compressed}
        COMMAND gzip -9 -n -c ${CMAKE_BINARY_DIR}/linux/${file} > ${compressed}
        DEPENDS ${CMAKE_BINARY_DIR}/linux/${file} VERBATIM)
    list(APPEND KORVO_COMPRESSED ${compressed})
endforeach()
add_custom_target(korvo_linux_docs ALL DEPENDS ${KORVO_COMPRESSED})

# The launcher in bin/, the client module it loads and the guard's library in
# a folder of the client's own under the architecture's library folder. The
# programs find them by their run path, so the dynamic linker's cache never
# lists them and the package runs no ldconfig.
set(KORVO_INSTALL_LIBRARY ${CMAKE_INSTALL_LIBDIR})
if(CMAKE_LIBRARY_ARCHITECTURE AND NOT CMAKE_INSTALL_LIBDIR MATCHES "${CMAKE_LIBRARY_ARCHITECTURE}")
    string(APPEND KORVO_INSTALL_LIBRARY "/${CMAKE_LIBRARY_ARCHITECTURE}")
endif()
string(APPEND KORVO_INSTALL_LIBRARY "/${KORVO_DATA_NAME}")
set(KORVO_FULL_LIBRARY "${CMAKE_INSTALL_PREFIX}/${KORVO_INSTALL_LIBRARY}")
file(RELATIVE_PATH KORVO_INSTALLED_CLIENT_RELATIVE "${CMAKE_INSTALL_FULL_BINDIR}" "${KORVO_FULL_LIBRARY}/korvo-client.so")
target_compile_definitions(KorvoClient PRIVATE KORVO_INSTALLED_CLIENT="${KORVO_INSTALLED_CLIENT_RELATIVE}")
# Both find the guard's library beside the module, wherever the tree is moved.
file(RELATIVE_PATH KORVO_LIBRARY_FROM_BINDIR "${CMAKE_INSTALL_FULL_BINDIR}" "${KORVO_FULL_LIBRARY}")
set_target_properties(KorvoClient PROPERTIES INSTALL_RPATH "$ORIGIN/${KORVO_LIBRARY_FROM_BINDIR}")
set_target_properties(korvo_client PROPERTIES INSTALL_RPATH "$ORIGIN")
install(TARGETS KorvoClient RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS korvo_client korvo_instance LIBRARY DESTINATION ${KORVO_INSTALL_LIBRARY})

set(KORVO_INSTALL_DATA ${CMAKE_INSTALL_DATADIR}/${KORVO_DATA_NAME})
# The icon sources stay in the tree; the client loads the rendered files.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/assets/icons_Korvo DESTINATION ${KORVO_INSTALL_DATA}
        PATTERN src EXCLUDE)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/assets/style ${CMAKE_SOURCE_DIR}/assets/favicons
        DESTINATION ${KORVO_INSTALL_DATA})
if(KORVO_PUBLIC_KEY)
    install(FILES ${KORVO_PUBLIC_KEY} DESTINATION ${KORVO_INSTALL_DATA} RENAME public_key_korvo.pem)
else()
    message(STATUS "KORVO_PUBLIC_KEY not set: the installed client carries no public key and cannot sign in "
                   "until public_key_korvo.pem is placed in ${KORVO_INSTALL_DATA}")
endif()

install(FILES ${CMAKE_BINARY_DIR}/linux/${KORVO_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_BINARY_DIR}/linux/${KORVO_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 22 24 32 48 64 128 256)
    install(FILES ${KORVO_LINUX_DIR}/hicolor/${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${KORVO_APP_ID}.png)
endforeach()
install(FILES ${CMAKE_BINARY_DIR}/linux/KorvoClient.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${KORVO_LINUX_DIR}/copyright ${CMAKE_BINARY_DIR}/linux/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${KORVO_DATA_NAME})
install(FILES ${CMAKE_SOURCE_DIR}/assets/icons_Korvo/src/logo.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${KORVO_APP_ID}.svg)

# Debian package. Library dependencies come from dpkg-shlibdeps; what the
# client loads at run time without linking it is named here: the SQLite driver
# of Qt Sql and a font that draws Chinese.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${KORVO_DATA_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Korvo")
set(CPACK_PACKAGE_CONTACT "Korvo <support@korvogame.com>" CACHE STRING "Maintainer of the Debian package")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Korvo游戏盒, the desktop client of the Korvo game portal")
# Lines of the long description stay within 80 columns.
set(CPACK_PACKAGE_DESCRIPTION "Shows the portal's home page, its web, mobile and H5 game sections and
the games in tabs, with remembered accounts, small accounts, game toolbars,
a tray icon and skins.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The program lives in /usr/bin, not /usr/games: a web client, not a game.
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt5sql5-sqlite, fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.korvogame.com/")
include(CPack)
