# Regenerates the icon from its grid into OUT and fails unless it is
# byte-identical to the committed ICON.
execute_process(COMMAND ${PYTHON} ${SCRIPT} ${GRID} ${OUT} RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "make_icon.py failed")
endif()
file(SHA256 ${ICON} committed)
file(SHA256 ${OUT} generated)
if(NOT committed STREQUAL generated)
    message(FATAL_ERROR "${ICON} differs from what ${GRID} describes: run make_icon.py")
endif()
