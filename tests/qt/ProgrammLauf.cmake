# Runs the built game once, as a user would, and checks what it leaves behind.
#   -DPROGRAMM=<wirbelix> -DBILD=<png> -DSTART=<launch text> -DMIN_BREITE=.. -DMIN_HOEHE=..
#       screenshot run on the offscreen platform: the PNG must be a picture of
#       at least that size, and the program must end with 0 (with -DMELDUNG=1:
#       the start ends on a message, and the program must end with non-zero;
#       with -DUNSCHREIBBAR=1: BILD cannot be written, the status must be 2)
#   -DPROGRAMM=<wirbelix> -DOHNE_BILDSCHIRM=1
#       no screen at all: the program says how to get a screenshot instead

if(OHNE_BILDSCHIRM)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM
            --unset=WIRBELIX_SCREENSHOT ${PROGRAMM} "${START}"
    RESULT_VARIABLE ergebnis OUTPUT_VARIABLE ausgabe ERROR_VARIABLE fehler TIMEOUT 30)
  if(ergebnis EQUAL 0)
    message(FATAL_ERROR "without a screen the program should fail")
  endif()
  if(NOT ausgabe MATCHES "Kein Bildschirm gefunden: WIRBELIX_SCREENSHOT=")
    message(FATAL_ERROR "no hint on the screenshot, got: ${ausgabe}${fehler}")
  endif()
  return()
endif()

file(REMOVE ${BILD})
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen WIRBELIX_SCREENSHOT=${BILD} ${PROGRAMM} "${START}"
  RESULT_VARIABLE ergebnis OUTPUT_VARIABLE ausgabe ERROR_VARIABLE fehler TIMEOUT 50)
if(UNSCHREIBBAR)
  # The picture cannot be written: the program says so and ends with 2.
  if(NOT ergebnis EQUAL 2 OR NOT fehler MATCHES "konnte nicht")
    message(FATAL_ERROR "an unwritable screenshot should end with 2, got ${ergebnis}: ${ausgabe}${fehler}")
  endif()
  return()
elseif(MELDUNG)
  # The start ends on a message: the picture shows it, the status says so.
  if(ergebnis EQUAL 0 OR NOT ergebnis MATCHES "^[0-9]+$")
    message(FATAL_ERROR "a start that ends on a message should exit with 1, got ${ergebnis}: ${ausgabe}${fehler}")
  endif()
  if(NOT fehler MATCHES "nicht gestartet")
    message(FATAL_ERROR "no word on the failed start, got: ${ausgabe}${fehler}")
  endif()
elseif(NOT ergebnis EQUAL 0)
  message(FATAL_ERROR "the program ended with ${ergebnis}: ${ausgabe}${fehler}")
endif()
if(NOT EXISTS ${BILD})
  message(FATAL_ERROR "no screenshot written to ${BILD}")
endif()

# Width and height stand big-endian in the PNG's header chunk.
file(READ ${BILD} kopf LIMIT 24 HEX)
if(NOT kopf MATCHES "^89504e470d0a1a0a")
  message(FATAL_ERROR "${BILD} is no PNG")
endif()
string(SUBSTRING ${kopf} 32 8 breite_hex)
string(SUBSTRING ${kopf} 40 8 hoehe_hex)
math(EXPR breite "0x${breite_hex}")
math(EXPR hoehe "0x${hoehe_hex}")
file(SIZE ${BILD} groesse)
if(breite LESS MIN_BREITE OR hoehe LESS MIN_HOEHE OR groesse LESS 5000)
  message(FATAL_ERROR "screenshot too small: ${breite}x${hoehe}, ${groesse} bytes")
endif()
message(STATUS "screenshot ${breite}x${hoehe}, ${groesse} bytes")
