# The same program as WebAssembly, configured with emcmake (`make web`): the page in site/ (the
# canvas back-end, the page's sound, the data and the fonts packed into pakaponta.data) and the
# Node program in node/ (headless, on the real file system). The native build comes first: its
# tools made the data and make the CP932 table.
set(PAKAPONTA_NATIVE_BIN "" CACHE PATH "The bin folder of the native build")
set(PAKAPONTA_WEB_DEPS "" CACHE PATH "What scripts/install-web-deps.sh built: FreeType, maybe acorn")
set(PAKAPONTA_FREETYPE ${PAKAPONTA_WEB_DEPS}/freetype)
foreach(needed ${PAKAPONTA_NATIVE_BIN}/cp932table ${PAKAPONTA_NATIVE_BIN}/card.dat
        ${PAKAPONTA_FREETYPE}/lib/libfreetype.a)
    if(NOT EXISTS ${needed})
        message(FATAL_ERROR "${needed} is missing: build with `make web`")
    endif()
endforeach()

set(SITE_DIR ${CMAKE_BINARY_DIR}/site)
set(NODE_DIR ${CMAKE_BINARY_DIR}/node)
set(STAGE_DIR ${CMAKE_BINARY_DIR}/stage)
set(WEB_SOURCE_DIR ${CMAKE_SOURCE_DIR}/web)

# The game's waits unwind by exception (ProgramExit) through nested sleeps. SIMD and bulk memory (in
# every current browser): the loops over whole frames, such as finding what changed, take four
# pixels a step, and a copied row is one instruction rather than a call out to JavaScript.
add_compile_options(-fexceptions -msimd128 -mbulk-memory)
add_link_options(-fexceptions -msimd128 -mbulk-memory -sALLOW_MEMORY_GROWTH=1 -sEXIT_RUNTIME=1)

# emscripten's C library has no CP932: the table comes from the desktop build's converter.
set(CP932_DATA ${CMAKE_BINARY_DIR}/generated/Cp932Data.cpp)
add_custom_command(OUTPUT ${CP932_DATA}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/generated
    COMMAND ${PAKAPONTA_NATIVE_BIN}/cp932table ${CP932_DATA}
    DEPENDS ${PAKAPONTA_NATIVE_BIN}/cp932table
    COMMENT "Writing the CP932 table")

# The JSON library is headers only; only its own folder joins the include path, not the host's.
find_path(NLOHMANN_INCLUDE nlohmann/json.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/include)
file(CREATE_LINK ${NLOHMANN_INCLUDE}/nlohmann ${CMAKE_BINARY_DIR}/include/nlohmann SYMBOLIC)

file(GLOB_RECURSE CORE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*/*.cpp)
list(FILTER CORE_SOURCES EXCLUDE REGEX "/src/platform/(sdl|native|web|node)/")
add_library(pakaponta_core STATIC ${CORE_SOURCES} ${CP932_DATA})
target_include_directories(pakaponta_core PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_include_directories(pakaponta_core SYSTEM PUBLIC ${CMAKE_BINARY_DIR}/include
    ${PAKAPONTA_FREETYPE}/include/freetype2)
target_compile_definitions(pakaponta_core PUBLIC PAKAPONTA_VERSION="${PROJECT_VERSION}")
target_compile_definitions(pakaponta_core PRIVATE PAKAPONTA_INSTALLED_DATA="../share/pakaponta")
target_link_libraries(pakaponta_core PUBLIC ${PAKAPONTA_FREETYPE}/lib/libfreetype.a)

# The runtime files of the native build, and the two font files it draws with, subset by the page's
# script when there is one. Music is not among them: the page plays tracks rendered beside it.
execute_process(COMMAND fc-match -f "%{file}" "Monapo:lang=ja" OUTPUT_VARIABLE MONAPO_FILE)
execute_process(COMMAND fc-match -f "%{file}" "IPAGothic:lang=ja" OUTPUT_VARIABLE IPAG_FILE)
file(REAL_PATH "${MONAPO_FILE}" MONAPO_FILE)
file(REAL_PATH "${IPAG_FILE}" IPAG_FILE)
file(GLOB THREAD_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/assets/thread/*.txt)
set(NATIVE_DATA ${PAKAPONTA_NATIVE_BIN}/card.dat ${PAKAPONTA_NATIVE_BIN}/sound.dat
    ${PAKAPONTA_NATIVE_BIN}/resource.ini)
foreach(thread_source ${THREAD_SOURCES})
    get_filename_component(thread_name ${thread_source} NAME)
    list(APPEND NATIVE_DATA ${PAKAPONTA_NATIVE_BIN}/thread/${thread_name})
endforeach()
set(STAGED ${CMAKE_BINARY_DIR}/stage.stamp)
set(SUBSET_SCRIPT ${WEB_SOURCE_DIR}/subset-fonts.py)
if(EXISTS ${SUBSET_SCRIPT})
    find_package(Python3 REQUIRED COMPONENTS Interpreter)
    set(FONT_COPY ${Python3_EXECUTABLE} ${SUBSET_SCRIPT})
else()
    set(FONT_COPY ${CMAKE_COMMAND} -E copy)
    set(SUBSET_SCRIPT)
endif()
add_custom_command(OUTPUT ${STAGED}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${STAGE_DIR}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${STAGE_DIR}/thread ${STAGE_DIR}/fonts
    COMMAND ${CMAKE_COMMAND} -E copy ${PAKAPONTA_NATIVE_BIN}/card.dat ${PAKAPONTA_NATIVE_BIN}/sound.dat
        ${PAKAPONTA_NATIVE_BIN}/resource.ini ${STAGE_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${PAKAPONTA_NATIVE_BIN}/thread ${STAGE_DIR}/thread
    COMMAND ${FONT_COPY} ${MONAPO_FILE} ${STAGE_DIR}/fonts/monapo.ttf
    COMMAND ${FONT_COPY} ${IPAG_FILE} ${STAGE_DIR}/fonts/ipag.ttf
    COMMAND ${CMAKE_COMMAND} -E touch ${STAGED}
    DEPENDS ${NATIVE_DATA} ${MONAPO_FILE} ${IPAG_FILE} ${SUBSET_SCRIPT}
    COMMENT "Gathering the page's data")
add_custom_target(web_data DEPENDS ${STAGED})

# Node runs emscripten's optimizer while linking; Debian's acorn is not where every Node looks.
set(ACORN_PATH /usr/share/nodejs:${PAKAPONTA_WEB_DEPS}/node/node_modules)

file(GLOB WEB_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/platform/web/*.cpp)
add_executable(pakaponta ${CMAKE_SOURCE_DIR}/src/main.cpp ${WEB_SOURCES})
target_link_libraries(pakaponta PRIVATE pakaponta_core)
add_dependencies(pakaponta web_data)
# Asyncify lets every wait hand the browser its turn; the saved stack must hold the deepest nesting
# of waits (a whole game runs inside the handler of the key that started it).
target_link_options(pakaponta PRIVATE -sENVIRONMENT=web -sASYNCIFY -sASYNCIFY_STACK_SIZE=1048576
    "-sASYNCIFY_IMPORTS=['pakaponta_sleep','pakaponta_await_paint']" --preload-file ${STAGE_DIR}@/)
set(HOST_JS ${WEB_SOURCE_DIR}/host.js)
if(EXISTS ${HOST_JS})
    # The page's script tells in its first line whether it is a library or a script run first.
    file(STRINGS ${HOST_JS} HOST_JS_FIRST LIMIT_COUNT 1)
    if(HOST_JS_FIRST MATCHES "--pre-js")
        target_link_options(pakaponta PRIVATE --pre-js ${HOST_JS})
    else()
        target_link_options(pakaponta PRIVATE --js-library ${HOST_JS})
    endif()
endif()
set_target_properties(pakaponta PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${SITE_DIR}
    LINK_DEPENDS "${STAGED};${HOST_JS}" CXX_LINKER_LAUNCHER "env;NODE_PATH=${ACORN_PATH}")

add_executable(pakaponta_node ${CMAKE_SOURCE_DIR}/src/main.cpp ${CMAKE_SOURCE_DIR}/src/platform/node/NodeWindow.cpp)
target_link_libraries(pakaponta_node PRIVATE pakaponta_core)
# Synchronous start: this emscripten would fetch() the wasm file, which Node cannot do with a path.
target_link_options(pakaponta_node PRIVATE -sENVIRONMENT=node -sNODERAWFS=1 -sWASM_ASYNC_COMPILATION=0)
set_target_properties(pakaponta_node PROPERTIES OUTPUT_NAME pakaponta RUNTIME_OUTPUT_DIRECTORY ${NODE_DIR}
    CXX_LINKER_LAUNCHER "env;NODE_PATH=${ACORN_PATH}")

# The page itself, its app manifest and icons, its licence texts and the music tracks rendered from
# the native build's MIDI files.
set(SITE_FILES)
foreach(page_file index.html page.js manifest.json)
    if(EXISTS ${WEB_SOURCE_DIR}/${page_file})
        add_custom_command(OUTPUT ${SITE_DIR}/${page_file}
            COMMAND ${CMAKE_COMMAND} -E copy ${WEB_SOURCE_DIR}/${page_file} ${SITE_DIR}/${page_file}
            DEPENDS ${WEB_SOURCE_DIR}/${page_file})
        list(APPEND SITE_FILES ${SITE_DIR}/${page_file})
    endif()
endforeach()
foreach(icon 192 512 maskable-192 maskable-512)
    string(REGEX REPLACE "[^0-9]" "" icon_size ${icon})
    set(icon_kind)
    if(icon MATCHES "maskable")
        set(icon_kind maskable)
    endif()
    add_custom_command(OUTPUT ${SITE_DIR}/icons/${icon}.png
        COMMAND ${CMAKE_COMMAND} -E make_directory ${SITE_DIR}/icons
        COMMAND ${PAKAPONTA_NATIVE_BIN}/icongen ${icon_size} ${SITE_DIR}/icons/${icon}.png ${icon_kind}
        DEPENDS ${PAKAPONTA_NATIVE_BIN}/icongen
        COMMENT "Drawing the page's ${icon} icon")
    list(APPEND SITE_FILES ${SITE_DIR}/icons/${icon}.png)
endforeach()
# The licences: the game's own, and those of the parts it ships; their page names the version.
if(IS_DIRECTORY ${WEB_SOURCE_DIR}/licences)
    file(GLOB LICENCES CONFIGURE_DEPENDS ${WEB_SOURCE_DIR}/licences/*.txt)
    configure_file(${WEB_SOURCE_DIR}/licences/index.html ${SITE_DIR}/licences/index.html @ONLY)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/licences.copied
        COMMAND ${CMAKE_COMMAND} -E copy ${LICENCES} ${SITE_DIR}/licences
        COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/LICENSE ${SITE_DIR}/licences/pakaponta.txt
        COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_BINARY_DIR}/licences.copied
        DEPENDS ${LICENCES} ${CMAKE_SOURCE_DIR}/LICENSE)
    list(APPEND SITE_FILES ${CMAKE_BINARY_DIR}/licences.copied)
endif()
if(EXISTS ${WEB_SOURCE_DIR}/render-music.sh)
    file(GLOB MIDI_FILES ${PAKAPONTA_NATIVE_BIN}/music/*.mid)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/music.rendered
        COMMAND ${CMAKE_COMMAND} -E env PAKAPONTA_NATIVE_BIN=${PAKAPONTA_NATIVE_BIN}
            ${WEB_SOURCE_DIR}/render-music.sh ${SITE_DIR}/music
        COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_BINARY_DIR}/music.rendered
        WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
        DEPENDS ${WEB_SOURCE_DIR}/render-music.sh ${MIDI_FILES}
        COMMENT "Rendering the music")
    list(APPEND SITE_FILES ${CMAKE_BINARY_DIR}/music.rendered)
endif()
# Last, the seal: the build's name and the list of files the page checks and the service worker keeps.
if(EXISTS ${WEB_SOURCE_DIR}/sw.js)
    find_package(Python3 REQUIRED COMPONENTS Interpreter)
    set(SEALED ${SITE_FILES})
    list(FILTER SEALED EXCLUDE REGEX "music.rendered$")
    add_custom_command(OUTPUT ${SITE_DIR}/sw.js ${SITE_DIR}/build.json
        COMMAND ${Python3_EXECUTABLE} ${WEB_SOURCE_DIR}/seal-site.py ${SITE_DIR} ${WEB_SOURCE_DIR}/sw.js
        DEPENDS pakaponta ${SEALED} ${WEB_SOURCE_DIR}/sw.js ${WEB_SOURCE_DIR}/seal-site.py
        COMMENT "Sealing the site")
    list(APPEND SITE_FILES ${SITE_DIR}/sw.js)
endif()
add_custom_target(site ALL DEPENDS ${SITE_FILES})
