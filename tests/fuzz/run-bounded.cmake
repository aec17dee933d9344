# Runs FUZZER for SECONDS on a copy of the committed CORPUS in WORK, so the
# inputs it adds stay in the build tree (and seed the next run). A crash,
# sanitizer report or assertion fails the test; the input that caused it is
# left in WORK/artifacts.
file(COPY ${CORPUS}/ DESTINATION ${WORK}/corpus)
file(MAKE_DIRECTORY ${WORK}/artifacts)
execute_process(
    COMMAND ${FUZZER} -max_total_time=${SECONDS} -print_final_stats=1
            -artifact_prefix=${WORK}/artifacts/ ${WORK}/corpus
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "the fuzzer failed (${result}); replay the input it saved with "
                        "${FUZZER} ${WORK}/artifacts/<file>")
endif()
