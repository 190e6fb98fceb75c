# Runs the real binary once and checks its output and exit status.
execute_process(COMMAND ${CLI} list --input ${INPUT} --type names --find -cloneof
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT out STREQUAL "puckman\nsf2\ninvaders\nufo\n" OR NOT err STREQUAL "Found:4 matches\n")
    message(FATAL_ERROR "unexpected run: status=${status} out=[${out}] err=[${err}]")
endif()
