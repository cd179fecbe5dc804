# Installs the built game into a fresh folder and starts the installed copy,
# as a user would after "cmake --install build --prefix DIR".
#   -DBAU=<build tree> -DZIEL=<folder, emptied first> -DQUELLE=<source tree>
#   -DPROGRAMMLAUF=<ProgrammLauf.cmake>

file(REMOVE_RECURSE ${ZIEL})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BAU} --prefix ${ZIEL}
  RESULT_VARIABLE ergebnis OUTPUT_VARIABLE ausgabe ERROR_VARIABLE fehler)
if(NOT ergebnis EQUAL 0)
  message(FATAL_ERROR "installation failed: ${ausgabe}${fehler}")
endif()

set(ordner ${ZIEL}/lib/wirbelix)
if(NOT EXISTS ${ordner})
  file(GLOB ordner ${ZIEL}/lib*/wirbelix ${ZIEL}/lib*/*/wirbelix)
endif()
set(noetig wirbelix libwirbelix-ton.so Kelmo.ini Kelmo.tsp Kelmo-D.mdb Wirbelix.chm Tesk.chm User/anna.tmp User/ben.tmp
           Grafik/BST_LIP.GIF Grafik/STOPMARKE.WMF Sound/PROGSTART.WAV Sound/RADSTOP.WAV)
foreach(i RANGE 9)
  list(APPEND noetig Grafik/GRAD${i}.WMF)
endforeach()
foreach(datei ${noetig})
  if(NOT EXISTS ${ordner}/${datei})
    message(FATAL_ERROR "missing in the installation: ${ordner}/${datei}")
  endif()
endforeach()
# What a run of the build tree leaves behind does not travel along.
foreach(datei User/Meister.mdb Kelmo.tmp)
  if(EXISTS ${ordner}/${datei})
    message(FATAL_ERROR "left over from a run, installed anyway: ${datei}")
  endif()
endforeach()
foreach(datei Kelmo.ini User/anna.tmp)
  file(SHA256 ${QUELLE}/demo/${datei} soll)
  file(SHA256 ${ordner}/${datei} ist)
  if(NOT soll STREQUAL ist)
    message(FATAL_ERROR "${datei} is not the demo's own copy")
  endif()
endforeach()

# Icons: PNGs of their folder's size.
foreach(groesse 64 128)
  set(icon ${ZIEL}/share/icons/hicolor/${groesse}x${groesse}/apps/wirbelix.png)
  if(NOT EXISTS ${icon})
    message(FATAL_ERROR "no icon ${icon}")
  endif()
  file(READ ${icon} kopf LIMIT 24 HEX)
  string(SUBSTRING ${kopf} 32 8 breite_hex)
  math(EXPR breite "0x${breite_hex}")
  if(NOT kopf MATCHES "^89504e470d0a1a0a" OR NOT breite EQUAL groesse)
    message(FATAL_ERROR "${icon} is no PNG of ${groesse} pixels")
  endif()
endforeach()

# The desktop entry points at the installed start script and icon.
set(eintrag ${ZIEL}/share/applications/wirbelix.desktop)
file(STRINGS ${eintrag} zeilen ENCODING UTF-8)
set(exec "")
set(icon "")
foreach(z ${zeilen})
  if(z MATCHES "^Exec=(.*)$")
    set(exec ${CMAKE_MATCH_1})
  elseif(z MATCHES "^Icon=(.*)$")
    set(icon ${CMAKE_MATCH_1})
  endif()
endforeach()
if(NOT exec STREQUAL "${ZIEL}/bin/wirbelix" OR NOT EXISTS ${icon} OR NOT icon MATCHES "^${ZIEL}/")
  message(FATAL_ERROR "desktop entry points elsewhere: Exec=${exec} Icon=${icon}")
endif()
find_program(pruefer desktop-file-validate REQUIRED)
execute_process(COMMAND ${pruefer} ${eintrag} RESULT_VARIABLE ergebnis OUTPUT_VARIABLE ausgabe ERROR_VARIABLE ausgabe)
if(NOT ergebnis EQUAL 0 OR ausgabe MATCHES "error")
  message(FATAL_ERROR "desktop-file-validate: ${ausgabe}")
endif()

# The installed start script, from another folder and without a launch text,
# starts the demo game: a screenshot of the main window.
execute_process(
  COMMAND ${CMAKE_COMMAND} -DPROGRAMM=${exec} -DBILD=${ZIEL}/hauptfenster.png -DSTART=
          -DMIN_BREITE=600 -DMIN_HOEHE=400 -P ${PROGRAMMLAUF}
  WORKING_DIRECTORY ${ZIEL}
  RESULT_VARIABLE ergebnis OUTPUT_VARIABLE ausgabe ERROR_VARIABLE fehler)
if(NOT ergebnis EQUAL 0)
  message(FATAL_ERROR "the installed game did not start: ${ausgabe}${fehler}")
endif()
message(STATUS "installed into ${ordner}: ${ausgabe}${fehler}")
