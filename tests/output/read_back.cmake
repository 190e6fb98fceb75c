# Lists of the hand-made listing read by other programs' readers: the strict DAT validated against
# the Logiqx DTD by xmllint, the table by Python's csv module.
function(run_cli type output)
    execute_process(COMMAND ${CLI} list --input ${DATA}/exports_small.xml --type ${type} ${ARGN} --output ${output}
                    RESULT_VARIABLE status ERROR_VARIABLE err)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${type}: status ${status}: ${err}")
    endif()
endfunction()

run_cli(dat ${WORK}/read_back.dat --find "!cloneof" --dat-strict)
execute_process(COMMAND ${XMLLINT} --noout --nonet --dtdvalid ${DATA}/datafile.dtd ${WORK}/read_back.dat
                RESULT_VARIABLE status ERROR_VARIABLE err)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "the strict DAT does not validate: ${err}")
endif()
# The default DAT adds what MAME lists beyond the DTD: well-formed XML all the same.
run_cli(dat ${WORK}/read_back_mame.dat --find "!cloneof")
execute_process(COMMAND ${XMLLINT} --noout --nonet ${WORK}/read_back_mame.dat RESULT_VARIABLE status ERROR_VARIABLE err)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "the DAT is not well-formed: ${err}")
endif()

run_cli(table ${WORK}/read_back.csv --find = --fields "name,description,controls")
set(read [=[
import csv, sys
with open(sys.argv[1], newline="", encoding="utf-8") as table:
    rows = list(csv.reader(table))
assert rows[0] == ["name", "description", "controls"], rows[0]
assert rows[1] == ["quoted", '"Hi; there" Quiz & Go', "joystick (8-way),trackball"], rows[1]
assert [row[0] for row in rows[2:]] == ["neobios", "fighter", "fighterj", "sound", "z80"], rows
]=])
execute_process(COMMAND ${PYTHON} -c "${read}" ${WORK}/read_back.csv RESULT_VARIABLE status ERROR_VARIABLE err)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "the table does not read back: ${err}")
endif()
