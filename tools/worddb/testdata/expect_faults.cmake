# Runs mkworddb --check on LIST and expects a plain failure (exit code 1, not a
# crash) with one fault line for each broken record and none for the good ones.
# Usage: cmake -DMKWORDDB=<tool> -DLIST=<bad.tsv> -P expect_faults.cmake

execute_process(COMMAND ${MKWORDDB} --check --no-totals ${LIST}
                RESULT_VARIABLE rc ERROR_VARIABLE err OUTPUT_VARIABLE out)
if(NOT rc EQUAL 1)
  message(FATAL_ERROR "expected exit code 1, got '${rc}'\n${err}")
endif()

get_filename_component(name ${LIST} NAME)
set(expected
  "${name}:3: expected 9 columns"
  "${name}:4: Wort \"Auto-Bahn\" contains \"-\""
  "${name}:5: RefNr 1 is used twice"
  "${name}:6: RefNr 40000 is outside 1..32767"
  "${name}:7: Wort \"Schokoladenpudding\" has 18 letters"
  "${name}:8: SatzKontext needs exactly one \"@\" where the word stands, found 0"
  "${name}:9: SatzKontext needs exactly one \"@\" where the word stands, found 2"
  "${name}:10: GWS must be 0 or 1"
  "${name}:11: Paraphr is empty"
  "${name}:12: the line is not valid UTF-8")
foreach(fault IN LISTS expected)
  string(FIND "${err}" "${fault}" pos)
  if(pos EQUAL -1)
    message(FATAL_ERROR "fault not reported: ${fault}\n--- output was:\n${err}")
  endif()
endforeach()

# Lines 2 and 13 are fine and must not show up.
foreach(good 2 13)
  string(FIND "${err}" "${name}:${good}:" pos)
  if(NOT pos EQUAL -1)
    message(FATAL_ERROR "good line ${good} reported as faulty\n${err}")
  endif()
endforeach()
list(LENGTH expected n)
string(REGEX MATCHALL "${name}:[0-9]+:" lines "${err}")
list(LENGTH lines got)
if(NOT got EQUAL n)
  message(FATAL_ERROR "expected ${n} fault lines, got ${got}\n${err}")
endif()
