# Removes every file an install listed in its manifest, then the program's own
# directories that are left empty (lib/glimmora and below, share/glimmora and
# below). Shared directories such as bin/ or the icon theme stay.
#
#   cmake -DMANIFEST=<build>/install_manifest.txt -P GlimmoraUninstall.cmake
#
# The manifest holds the paths without DESTDIR; DESTDIR from the environment is
# put before each of them, as the install did.

if(NOT MANIFEST OR NOT EXISTS "${MANIFEST}")
    message(FATAL_ERROR "No install manifest '${MANIFEST}': nothing was installed from this build tree.")
endif()

set(destdir "$ENV{DESTDIR}")
file(STRINGS "${MANIFEST}" installed)

set(own_dirs)
set(failed)
foreach(file IN LISTS installed)
    set(path "${destdir}${file}")
    if(IS_SYMLINK "${path}" OR EXISTS "${path}")
        message(STATUS "Removing: ${path}")
        file(REMOVE "${path}")
        if(IS_SYMLINK "${path}" OR EXISTS "${path}")
            list(APPEND failed "${path}")
        endif()
    endif()

    # The directories from the file's own up to the deepest one named glimmora.
    get_filename_component(dir "${file}" DIRECTORY)
    set(chain)
    set(owned FALSE)
    while(NOT dir STREQUAL "/" AND NOT dir STREQUAL "")
        list(APPEND chain "${dir}")
        get_filename_component(name "${dir}" NAME)
        if(name STREQUAL "glimmora")
            set(owned TRUE)
            break()
        endif()
        get_filename_component(dir "${dir}" DIRECTORY)
    endwhile()
    if(owned)
        list(APPEND own_dirs ${chain})
    endif()
endforeach()

# Deepest first, so a directory is empty once its sub-directories are gone.
list(REMOVE_DUPLICATES own_dirs)
list(SORT own_dirs ORDER DESCENDING)
foreach(dir IN LISTS own_dirs)
    set(path "${destdir}${dir}")
    if(IS_DIRECTORY "${path}" AND NOT IS_SYMLINK "${path}")
        # rmdir leaves a directory that still holds something (a user's own skin).
        execute_process(COMMAND rmdir -- "${path}" RESULT_VARIABLE kept ERROR_QUIET)
        if(kept EQUAL 0)
            message(STATUS "Removing: ${path}/")
        endif()
    endif()
endforeach()

if(failed)
    list(JOIN failed "\n  " text)
    message(FATAL_ERROR "Could not remove:\n  ${text}")
endif()
