# Where `cmake --install` puts the program on a Linux desktop, and the Debian package that CPack
# makes of that install (`cpack -G DEB` in the build directory).
include(GNUInstallDirs)

# One id names the desktop entry, the AppStream metainfo and the icon.
set(TOLVEMAR_APP_ID org.tolvemar.CalcoloCT)
# AppStream takes only a web address for a screenshot: where docs/screenshot.png is published.
set(TOLVEMAR_SCREENSHOT_URL "https://tolvemar.invalid/screenshot.png"
    CACHE STRING "Web address of the screenshot that the AppStream metainfo shows")

set(_resources ${PROJECT_SOURCE_DIR}/resources)
set(_metainfo ${PROJECT_BINARY_DIR}/resources/${TOLVEMAR_APP_ID}.metainfo.xml)
configure_file(${_resources}/${TOLVEMAR_APP_ID}.metainfo.xml.in ${_metainfo} @ONLY)

install(TARGETS tolvemar RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS tolvemar-log tolvemar-onorario tolvemar-registro tolvemar-fattura
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${_resources}/${TOLVEMAR_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${_metainfo} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(_size 16 22 32 48 64 128 256)
    install(FILES ${_resources}/icons/tolvemar-${_size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${_size}x${_size}/apps
        RENAME ${TOLVEMAR_APP_ID}.png)
endforeach()
install(FILES ${_resources}/icons/tolvemar.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
    RENAME ${TOLVEMAR_APP_ID}.svg)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tolvemar)
# The whole project version: CPack's default would drop the fourth number.
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Tolvemar)
set(CPACK_PACKAGE_CONTACT "Tolvemar <tolvemar@users.noreply.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calcolo dei compensi professionali a vacazioni")
set(CPACK_PACKAGE_DESCRIPTION "\
Calcolo Tolvemar CT calcola il compenso di un incarico professionale a
vacazioni. Si scelgono la data di inizio e di fine dell'incarico, i giorni
da non contare e le vacazioni per giorno; il programma mostra i giorni
contati, il totale delle vacazioni e il compenso in euro.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# The libraries come from the binaries (dpkg-shlibdeps), libxml2 among them for the invoice's
# schema; the window falls back on Liberation Sans, and the register needs Qt's SQLite driver,
# a plugin that the binary does not link, and libical for its calendar file. Without a desktop
# that sets a font, Qt draws menus and status line in fontconfig's sans-serif, which on a bare
# system with Liberation alone is Liberation Mono: DejaVu Sans is the one it prefers.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, fonts-dejavu-core, libqt6sql6-sqlite, libical3")
include(CPack)
