# Helpers for registering tests; every test runs through ctest.
#
#   glimmora_qtest(<name> SOURCES a.cpp ... [LOGIC] [OFFSCREEN] [LABELS l ...])
#     LOGIC:     links only the display-free library (also built in the
#                sanitizer tree); otherwise links the whole core.
#     OFFSCREEN: runs on Qt's offscreen platform (widget tests).
#
#   glimmora_e2e(<name> <script.py> [RESOURCE_LOCK lock] [TIMEOUT s])
#     An end-to-end case: a Python script under tests/e2e that starts the
#     real program under its own Xvfb.

function(glimmora_qtest name)
    cmake_parse_arguments(T "LOGIC;OFFSCREEN" "TIMEOUT" "SOURCES;LABELS;LIBS" ${ARGN})
    if(GLIMMORA_LOGIC_ONLY AND NOT T_LOGIC)
        return()
    endif()
    add_executable(${name} ${T_SOURCES})
    if(T_LOGIC)
        target_link_libraries(${name} PRIVATE glimmora_logic glimmora_fakes Qt6::Test ${T_LIBS})
    else()
        target_link_libraries(${name} PRIVATE glimmora_ui glimmora_fakes Qt6::Test ${T_LIBS})
    endif()
    add_test(NAME ${name} COMMAND ${name})
    # No session bus: with dbus-x11 installed one would be launched and outlive
    # the test.
    set(env "QT_QPA_PLATFORM=offscreen" "QT_LOGGING_RULES=qt.qpa.*=false"
        "DBUS_SESSION_BUS_ADDRESS=disabled:")
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 120)
    endif()
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT ${T_TIMEOUT}
        LABELS "${T_LABELS}")
endfunction()

function(glimmora_e2e name script)
    cmake_parse_arguments(T "" "TIMEOUT;RESOURCE_LOCK" "LABELS;ARGS" ${ARGN})
    if(GLIMMORA_LOGIC_ONLY)
        return()
    endif()
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 300)
    endif()
    add_test(NAME ${name} COMMAND /usr/bin/python3 -B ${CMAKE_CURRENT_SOURCE_DIR}/${script}
        ${T_ARGS} WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "GLIMMORA_BUILD_DIR=${CMAKE_BINARY_DIR};GLIMMORA_SOURCE_DIR=${CMAKE_SOURCE_DIR};PYTHONPATH=${CMAKE_SOURCE_DIR}/tests/e2e"
        TIMEOUT ${T_TIMEOUT} LABELS "e2e;${T_LABELS}")
    if(T_RESOURCE_LOCK)
        set_tests_properties(${name} PROPERTIES RESOURCE_LOCK ${T_RESOURCE_LOCK})
    endif()
endfunction()
