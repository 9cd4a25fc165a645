# Builds the files the program reads from its own folder (card.dat, thread/*.txt, sound.dat, music,
# resource.ini) from the sources under assets/, with the project's own tools.
set(RUNTIME_FILES)

# The six effects, synthesised.
add_custom_command(OUTPUT ${PAKAPONTA_OUT}/sound.dat
    COMMAND sounddat ${PAKAPONTA_OUT}/sound.dat
    DEPENDS sounddat
    COMMENT "Synthesising sound.dat")
list(APPEND RUNTIME_FILES ${PAKAPONTA_OUT}/sound.dat)

# The game tracks and the ending track, composed by the tool.
set(MUSIC_FILES)
foreach(track game1 game2 game3 game4 game5 ending)
    list(APPEND MUSIC_FILES ${PAKAPONTA_OUT}/music/${track}.mid)
endforeach()
add_custom_command(OUTPUT ${MUSIC_FILES}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PAKAPONTA_OUT}/music
    COMMAND midigen ${PAKAPONTA_OUT}/music
    DEPENDS midigen
    COMMENT "Composing the music")
list(APPEND RUNTIME_FILES ${MUSIC_FILES})

# card.dat, built from its reviewed source; the build stops on any fault in the content.
add_custom_command(OUTPUT ${PAKAPONTA_OUT}/card.dat
    COMMAND cardtool build ${CMAKE_SOURCE_DIR}/assets/cards.json ${PAKAPONTA_OUT}/card.dat
    DEPENDS cardtool ${CMAKE_SOURCE_DIR}/assets/cards.json
    COMMENT "Building card.dat")
list(APPEND RUNTIME_FILES ${PAKAPONTA_OUT}/card.dat)

# The response pool and the thread files, in CP932 with CR LF as the game reads them.
file(GLOB THREAD_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/assets/thread/*.txt)
foreach(thread_source ${THREAD_SOURCES})
    get_filename_component(thread_name ${thread_source} NAME)
    add_custom_command(OUTPUT ${PAKAPONTA_OUT}/thread/${thread_name}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${PAKAPONTA_OUT}/thread
        COMMAND textconv ${thread_source} ${PAKAPONTA_OUT}/thread/${thread_name}
        DEPENDS textconv ${thread_source}
        COMMENT "Converting thread/${thread_name}")
    list(APPEND RUNTIME_FILES ${PAKAPONTA_OUT}/thread/${thread_name})
endforeach()

# resource.ini: the documented settings, with the music lines when the music has its fragment.
file(GLOB INI_MIDI_FRAGMENT CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/assets/resource.ini.midi)
add_custom_command(OUTPUT ${PAKAPONTA_OUT}/resource.ini
    COMMAND textconv ini ${CMAKE_SOURCE_DIR}/assets/resource.ini ${PAKAPONTA_OUT}/resource.ini
        ${INI_MIDI_FRAGMENT}
    DEPENDS textconv ${CMAKE_SOURCE_DIR}/assets/resource.ini ${INI_MIDI_FRAGMENT}
    COMMENT "Assembling resource.ini")
list(APPEND RUNTIME_FILES ${PAKAPONTA_OUT}/resource.ini)

# The built card.dat must read back as its source, byte for byte.
add_test(NAME card_dat_dumps_to_source
    COMMAND sh -c "\"$0\" dump \"$1\" | cmp - \"$2\""
        $<TARGET_FILE:cardtool> ${PAKAPONTA_OUT}/card.dat ${CMAKE_SOURCE_DIR}/assets/cards.json)

add_custom_target(runtime_data ALL DEPENDS ${RUNTIME_FILES})
