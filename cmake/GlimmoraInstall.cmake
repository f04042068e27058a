# Installation as a Linux desktop program (prefix /usr/local unless given):
#
#   lib/glimmora/                  the program directory: glimmora, alarm.wav,
#                                  Skins/, modules/ (the sound), the user manual page
#   bin/glimmora                   relative link to ../lib/glimmora/glimmora
#   share/applications/            the menu entry (named by the AppStream id)
#   share/metainfo/                the AppStream metadata software centres list
#   share/glimmora/autostart/      an autostart entry to copy to ~/.config/autostart/
#   share/icons/hicolor/NxN/apps/  the icon
#
# The program finds its files through its own program file (the link is
# resolved), so everything it reads stays together in one directory. That
# directory is not the multiarch library directory GNUInstallDirs would give on
# Debian: it holds a program and its data, not libraries.

include(GNUInstallDirs)

set(GLIMMORA_INSTALL_PROGRAMDIR "lib/glimmora" CACHE STRING
    "Program directory, relative to the install prefix")

# Root installs for all users: directories must not be writable by others,
# whatever the umask of the one who installs.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# Installing (and CPack, which installs first) builds only what is installed:
# the program target depends on all of it, while `all` holds the tests too.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)

# --- program directory -------------------------------------------------------
install(TARGETS glimmora RUNTIME DESTINATION ${GLIMMORA_INSTALL_PROGRAMDIR})
# Loaded from the program directory at the first sound.
install(TARGETS glimmora_sound LIBRARY DESTINATION ${GLIMMORA_INSTALL_PROGRAMDIR}/modules)

# The build places the manual page (the about window's product page), the alarm
# sound and the shipped skins beside build/glimmora, the build tree's program
# directory.
install(FILES ${CMAKE_BINARY_DIR}/manual.html ${CMAKE_BINARY_DIR}/alarm.wav
    DESTINATION ${GLIMMORA_INSTALL_PROGRAMDIR})
install(DIRECTORY ${CMAKE_BINARY_DIR}/Skins/ DESTINATION ${GLIMMORA_INSTALL_PROGRAMDIR}/Skins)

# --- command ----------------------------------------------------------------
# A relative link, so a staged (DESTDIR) or relocated tree runs as well. It is
# made once in the build tree and installed as a link.
file(RELATIVE_PATH glimmora_link_target "/prefix/${CMAKE_INSTALL_BINDIR}"
    "/prefix/${GLIMMORA_INSTALL_PROGRAMDIR}/glimmora")
set(glimmora_link ${CMAKE_BINARY_DIR}/install-link/glimmora)
file(REMOVE ${glimmora_link})
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/install-link)
file(CREATE_LINK ${glimmora_link_target} ${glimmora_link} SYMBOLIC)
install(FILES ${glimmora_link} DESTINATION ${CMAKE_INSTALL_BINDIR})

# --- desktop integration -----------------------------------------------------
# The menu entry and the metadata share one reverse-DNS id of the home page's
# domain, as AppStream asks for desktop programs.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/org.example.glimmora.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# Day precision, as the changelog's date; SOURCE_DATE_EPOCH makes it reproducible.
string(TIMESTAMP GLIMMORA_RELEASE_DATE "%Y-%m-%d" UTC)
configure_file(${CMAKE_CURRENT_LIST_DIR}/org.example.glimmora.metainfo.xml.in
    ${CMAKE_BINARY_DIR}/org.example.glimmora.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/org.example.glimmora.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/glimmora-autostart.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/glimmora/autostart RENAME glimmora.desktop)

# One lit tube, drawn by the picture generator at each size (it reads down to
# 16 pixels); the window carries the same pictures.
set(GLIMMORA_ICON_SIZES 16 22 24 32 48 64 128 256)
set(glimmora_missing_icons)
foreach(size IN LISTS GLIMMORA_ICON_SIZES)
    set(icon ${CMAKE_SOURCE_DIR}/assets/icons/hicolor/${size}x${size}/apps/glimmora.png)
    if(EXISTS ${icon})
        install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    else()
        list(APPEND glimmora_missing_icons ${size})
    endif()
endforeach()
if(glimmora_missing_icons)
    list(JOIN glimmora_missing_icons ", " glimmora_missing_icons)
    message(WARNING "Icon sizes not installed, their pictures are missing: ${glimmora_missing_icons}")
endif()

# --- uninstall ----------------------------------------------------------------
# Removes what the last install from this build tree put in place (DESTDIR
# from the environment, as for the install).
add_custom_target(uninstall
    COMMAND ${CMAKE_COMMAND} -DMANIFEST=${CMAKE_BINARY_DIR}/install_manifest.txt
            -P ${CMAKE_CURRENT_LIST_DIR}/GlimmoraUninstall.cmake
    VERBATIM)
