# Draws every committed picture and sound afresh into WORK and compares the
# result with ASSETS: the generator is deterministic and the committed files
# are its current output. Sounds and other files must match byte for byte;
# pictures may differ by a level or two in a few pixels, since libm's results
# differ in the last bit between processors (seen on AMD against Intel).
#   cmake -DGENERATOR=... -DASSETS=... -DWORK=... -DCOMPARE=... -P ArtgenReproducible.cmake
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND ${GENERATOR} ${WORK} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "generator failed: ${rc}")
endif()
file(GLOB_RECURSE made LIST_DIRECTORIES false RELATIVE ${WORK} ${WORK}/*)
file(GLOB_RECURSE committed LIST_DIRECTORIES false RELATIVE ${ASSETS} ${ASSETS}/*)
list(REMOVE_ITEM committed CMakeLists.txt)
list(SORT made)
list(SORT committed)
if(NOT made STREQUAL committed)
    message(FATAL_ERROR "generated files differ from assets/:\n${made}\nvs\n${committed}")
endif()
set(differing)
foreach(file IN LISTS made)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/${file} ${ASSETS}/${file}
        RESULT_VARIABLE same)
    if(NOT same EQUAL 0 AND file MATCHES "\\.(bmp|png)$")
        # Pixels further apart than 1% of the range in any channel.
        execute_process(COMMAND ${COMPARE} -metric AE -fuzz 1% ${WORK}/${file}
            ${ASSETS}/${file} null: RESULT_VARIABLE rc ERROR_VARIABLE pixels)
        string(STRIP "${pixels}" pixels)
        if(pixels STREQUAL "0")
            set(same 0)
        endif()
    endif()
    if(NOT same EQUAL 0)
        list(APPEND differing ${file})
    endif()
endforeach()
if(differing)
    message(FATAL_ERROR "regenerated files differ from the committed ones: ${differing}")
endif()
list(LENGTH made count)
message(STATUS "${count} files regenerated alike")
file(REMOVE_RECURSE ${WORK})
