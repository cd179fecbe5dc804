# Metafile player: libwmflite interprets the records, QPainter draws them.
# Only libwmflite is linked (not the full libwmf with its own renderers);
# libwmf's headers need FreeType's and zlib's include paths and are included
# by WmfPlayer.cpp alone. Fonts are chosen as the windows choose them.
find_library(WMFLITE_LIB wmflite REQUIRED)
find_path(WMF_INCLUDE_DIR libwmf/api.h REQUIRED)
find_path(WMF_FT2BUILD_DIR ft2build.h PATH_SUFFIXES freetype2 REQUIRED)
find_path(WMF_ZLIB_INCLUDE_DIR zlib.h REQUIRED)

add_library(wirbelix_wmf STATIC ${CMAKE_CURRENT_LIST_DIR}/WmfPlayer.cpp ${CMAKE_CURRENT_LIST_DIR}/WmfPruefung.cpp)
target_include_directories(wirbelix_wmf
  PUBLIC ${CMAKE_CURRENT_LIST_DIR}
  PRIVATE ${WMF_INCLUDE_DIR} ${WMF_FT2BUILD_DIR} ${WMF_ZLIB_INCLUDE_DIR})
target_link_libraries(wirbelix_wmf PUBLIC Qt6::Gui PRIVATE wirbelix_schriften ${WMFLITE_LIB})
target_compile_options(wirbelix_wmf PRIVATE -Wall -Wextra)
