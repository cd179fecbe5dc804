# Checks the layers of the core: no core file names a Qt header, and no folder
# includes from a folder above its own layer.
#   0 platform        the ports to the outside world
#   1 basis           text helpers, shared state, framework files, database
#   2 forms           controls and the window base
#   3 sound           the sound table
#   4 fenster         the window models and the game object
#   5 words game wheel timing settings opponent highscores hilfe
#                     the routines of the windows
#   6 start           program start and the main window's start-up
set(schicht_platform 0)
set(schicht_basis 1)
set(schicht_forms 2)
set(schicht_sound 3)
set(schicht_fenster 4)
foreach(o words game wheel timing settings opponent highscores hilfe)
  set(schicht_${o} 5)
endforeach()
set(schicht_start 6)

file(GLOB_RECURSE dateien ${DIR}/*.h ${DIR}/*.cpp)
foreach(d IN LISTS dateien)
  file(RELATIVE_PATH rel ${DIR} ${d})
  string(REGEX REPLACE "/.*" "" ordner "${rel}")
  if(ordner STREQUAL "qt")
    continue()
  endif()
  if(NOT DEFINED schicht_${ordner})
    message(FATAL_ERROR "Folder without a layer: ${ordner} (${rel})")
  endif()
  file(STRINGS ${d} zeilen REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z]+|Qt[A-Za-z]*/)")
  if(zeilen)
    message(FATAL_ERROR "The core must not use Qt: ${rel}: ${zeilen}")
  endif()
  file(STRINGS ${d} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[a-z]+/")
  foreach(z IN LISTS includes)
    string(REGEX REPLACE ".*include[ \t]*\"([a-z]+)/.*" "\\1" ziel "${z}")
    if(NOT DEFINED schicht_${ziel})
      message(FATAL_ERROR "${rel} includes from an unknown folder: ${z}")
    endif()
    if(schicht_${ziel} GREATER schicht_${ordner})
      message(FATAL_ERROR "${rel} includes from a higher layer: ${z}")
    endif()
  endforeach()
endforeach()
