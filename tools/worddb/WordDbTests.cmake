# Tests of mkworddb and of the demo word lists. Included from a folder in
# which enable_testing() has been called (demo/CMakeLists.txt).

set(_worddb_dir ${CMAKE_CURRENT_LIST_DIR})
get_filename_component(_worddb_demo ${CMAKE_CURRENT_LIST_DIR}/../../demo ABSOLUTE)

add_test(NAME worddb_selftest COMMAND worddb_selftest)

# The demo word lists as the build uses them, the totals included.
file(GLOB _worddb_lists CONFIGURE_DEPENDS ${_worddb_demo}/woerter/*.tsv)
list(SORT _worddb_lists)
add_test(NAME worddb_demo_lists COMMAND mkworddb --check ${_worddb_lists})

# A list full of faults must be turned down.
add_test(NAME worddb_rejects_bad_list
         COMMAND mkworddb --check --no-totals ${_worddb_dir}/testdata/bad.tsv)
set_tests_properties(worddb_rejects_bad_list PROPERTIES WILL_FAIL TRUE)

# The same list, but each fault must be named with its line.
add_test(NAME worddb_names_each_fault
         COMMAND ${CMAKE_COMMAND}
                 -DMKWORDDB=$<TARGET_FILE:mkworddb>
                 -DLIST=${_worddb_dir}/testdata/bad.tsv
                 -P ${_worddb_dir}/testdata/expect_faults.cmake)
