# The Debian package: `make package` (or `cpack -G DEB` in the build tree)
# turns what `make install` installs into build/glimmora_<version>_<arch>.deb,
# installed under /usr. Library dependencies come from dpkg-shlibdeps; what it
# cannot see (Qt's X11 platform plugin, the dialogs' font) is named here.

set(GLIMMORA_MAINTAINER "Marvane <glimmora@glimmora.example.org>" CACHE STRING
    "Maintainer of the Debian package (name <address>)")

# The manual page, copyright and changelog belong in every Debian package; a
# plain install gets them as well.
set(glimmora_docdir ${CMAKE_BINARY_DIR}/doc)
file(MAKE_DIRECTORY ${glimmora_docdir})
# Day precision keeps the file stable between configure runs; SOURCE_DATE_EPOCH
# makes it reproducible.
string(TIMESTAMP GLIMMORA_CHANGELOG_DATE "%a, %d %b %Y 00:00:00 +0000" UTC)
configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/changelog.in ${glimmora_docdir}/changelog @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/docs/glimmora.1 ${glimmora_docdir}/glimmora.1 @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/docs/glimmora.de.1 ${glimmora_docdir}/glimmora.de.1 @ONLY)
# Maximum compression, no name or time stamp in the header (Debian policy).
foreach(doc changelog glimmora.1 glimmora.de.1)
    execute_process(COMMAND gzip -9nc ${glimmora_docdir}/${doc}
        OUTPUT_FILE ${glimmora_docdir}/${doc}.gz RESULT_VARIABLE glimmora_gzip_result)
    if(NOT glimmora_gzip_result EQUAL 0)
        message(FATAL_ERROR "gzip of ${doc} failed: ${glimmora_gzip_result}")
    endif()
endforeach()
install(FILES ${CMAKE_CURRENT_LIST_DIR}/debian/copyright ${glimmora_docdir}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${glimmora_docdir}/glimmora.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${glimmora_docdir}/glimmora.de.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/de/man1
    RENAME glimmora.1.gz)
# The tags lintian --pedantic gives for the program directory's layout, each
# with the reason it stays.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/debian/lintian-overrides
    DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME glimmora)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME glimmora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Marvane)
set(CPACK_PACKAGE_CONTACT ${GLIMMORA_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Stripped as Debian's dh_strip does: without the compilers' .comment notes.
install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
        foreach(file glimmora modules/glimmora-sound.so)
            execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
                \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${GLIMMORA_INSTALL_PROGRAMDIR}/\${file}\"
                COMMAND_ERROR_IS_FATAL ANY)
        endforeach()
    endif()")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop clock with six glowing digit tubes")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Glimmora shows the time on six glowing digit tubes in the picture of a\n"
    "device: one borderless window cut to its outline, dragged anywhere on the\n"
    "desktop. It has a daily alarm, a standby mode, an always-on-top mode and\n"
    "an optional screen-saver suppression, and takes its look from skins.\n"
    "The user interface is in German.")
string(JOIN "" CPACK_DEBIAN_PACKAGE_DESCRIPTION ${CPACK_DEBIAN_PACKAGE_DESCRIPTION})

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${GLIMMORA_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${GLIMMORA_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its X11 platform plugin at run time, so shlibdeps cannot see it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
