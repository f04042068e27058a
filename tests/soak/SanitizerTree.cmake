# Configures and builds the sanitizer tree: the display-free library, its
# tests and the fuzz targets, compiled by clang with AddressSanitizer (leak
# checking included) and UndefinedBehaviorSanitizer, every finding fatal.
#
#   cmake -DSOURCE_DIR=<src> -DBUILD_DIR=<tree> [-DJOBS=n] -P SanitizerTree.cmake

if(NOT SOURCE_DIR OR NOT BUILD_DIR)
    message(FATAL_ERROR "SOURCE_DIR and BUILD_DIR are needed")
endif()
if(NOT JOBS)
    set(JOBS 2)
endif()
find_program(CLANGXX clang++)
if(NOT CLANGXX)
    message(FATAL_ERROR "clang++ is missing (make setup-test installs it)")
endif()

# fuzzer-no-link only adds the coverage counters libFuzzer steers by; the
# tests link without libFuzzer's main.
set(flags "-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer")
string(APPEND flags " -fsanitize=fuzzer-no-link -Wno-unknown-warning-option")

execute_process(
    COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${BUILD_DIR}
            -DGLIMMORA_LOGIC_ONLY=ON -DGLIMMORA_FUZZ=ON
            -DCMAKE_BUILD_TYPE=RelWithDebInfo
            -DCMAKE_CXX_COMPILER=${CLANGXX}
            "-DCMAKE_CXX_FLAGS=${flags}"
            "-DCMAKE_EXE_LINKER_FLAGS=-fsanitize=address,undefined"
    RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "configuring ${BUILD_DIR} failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} -j${JOBS} RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "building ${BUILD_DIR} failed")
endif()
