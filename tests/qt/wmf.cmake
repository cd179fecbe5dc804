# Tests of the metafile player, partly against the generated wheel pictures.
add_executable(wmf_player_test ${CMAKE_CURRENT_LIST_DIR}/WmfPlayerTest.cpp)
target_link_libraries(wmf_player_test PRIVATE wirbelix_wmf Qt6::Gui GTest::gtest_main)
target_compile_definitions(wmf_player_test PRIVATE
  WMF_TEST_PICTURES="${WIRBELIX_INSTALL_DIR}/Grafik")
add_dependencies(wmf_player_test wheel_pictures)
add_test(NAME wmf_player_test COMMAND wmf_player_test
  WORKING_DIRECTORY ${WIRBELIX_INSTALL_DIR}/Grafik)
set_tests_properties(wmf_player_test PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
