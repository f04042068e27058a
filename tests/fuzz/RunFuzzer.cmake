# Runs one libFuzzer target over its committed seed corpus, either for a fixed
# number of inputs (RUNS) or for a time (SECONDS). New inputs the fuzzer finds
# go to a scratch corpus in the build tree, never into the committed one; a
# crashing input is kept there as crash-... (or leak-, oom-, timeout-).
#
#   cmake -DFUZZER=<binary> -DCORPUS=<seed dir> -DWORK=<scratch dir>
#         [-DRUNS=n | -DSECONDS=s] [-DMAX_LEN=bytes] -P RunFuzzer.cmake

get_filename_component(name ${FUZZER} NAME)
file(MAKE_DIRECTORY ${WORK}/corpus)
if(NOT MAX_LEN)
    set(MAX_LEN 4096)
endif()
set(limits -max_len=${MAX_LEN} -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=512
    -artifact_prefix=${WORK}/ -print_final_stats=1)
if(SECONDS)
    set(budget -max_total_time=${SECONDS})
else()
    if(NOT RUNS)
        set(RUNS 20000)
    endif()
    # The time limit only guards against a run that got stuck.
    set(budget -runs=${RUNS} -max_total_time=300)
endif()
execute_process(COMMAND ${FUZZER} ${budget} ${limits} ${WORK}/corpus ${CORPUS}
    RESULT_VARIABLE failed)
if(failed)
    file(GLOB found ${WORK}/crash-* ${WORK}/leak-* ${WORK}/oom-* ${WORK}/timeout-*)
    message(FATAL_ERROR "${name} failed (${failed}); inputs kept: ${found}")
endif()
