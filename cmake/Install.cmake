# `cmake --install build --prefix P`: the program in P/bin, its data in P/share/pakaponta, a desktop
# entry and icons of every usual size. The installed program finds the data from its own folder
# (PAKAPONTA_INSTALLED_DATA), and a copy of the data beside the program still comes first.

# The icon, drawn by the game's own picture code at each size.
set(ICON_SIZES 32 48 64 128 256)
set(ICON_FILES)
foreach(size ${ICON_SIZES})
    set(icon ${CMAKE_BINARY_DIR}/icons/${size}/pakaponta.png)
    add_custom_command(OUTPUT ${icon}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}
        COMMAND icongen ${size} ${icon}
        DEPENDS icongen
        COMMENT "Drawing the ${size} px icon")
    list(APPEND ICON_FILES ${icon})
    install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(icons ALL DEPENDS ${ICON_FILES})

install(TARGETS pakaponta RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
set(PAKAPONTA_DATA_DESTINATION ${CMAKE_INSTALL_DATADIR}/pakaponta)
install(FILES ${PAKAPONTA_OUT}/card.dat ${PAKAPONTA_OUT}/sound.dat ${PAKAPONTA_OUT}/resource.ini
    DESTINATION ${PAKAPONTA_DATA_DESTINATION})
# Only the built data: tests may leave other files in the build's folders.
install(DIRECTORY ${PAKAPONTA_OUT}/thread ${PAKAPONTA_OUT}/music DESTINATION ${PAKAPONTA_DATA_DESTINATION}
    FILES_MATCHING PATTERN "*.txt" PATTERN "*.mid")
install(FILES ${CMAKE_SOURCE_DIR}/assets/pakaponta.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The game's licence, and those of the parts the web page ships (the window uses the system's own
# fonts, FreeType and soundfont).
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE ${CMAKE_SOURCE_DIR}/NOTICES.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/web/licences/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/licences
    FILES_MATCHING PATTERN "*.txt")

# Installed into a folder of its own, the program reaches the title with the data found there.
add_test(NAME installed_program_finds_its_data
    COMMAND sh -c "rm -rf \"$0\" && \"$1\" --install \"$2\" --prefix \"$0\" > /dev/null && \
\"$0/bin/pakaponta\" --headless --quit-at-state 20 --screenshot \"$0/title.png\" && test -s \"$0/title.png\" && \
test -s \"$0/share/icons/hicolor/256x256/apps/pakaponta.png\" && test -s \"$0/share/applications/pakaponta.desktop\" && \
test -s \"$0/share/doc/pakaponta/LICENSE\""
        ${CMAKE_BINARY_DIR}/install-test ${CMAKE_COMMAND} ${CMAKE_BINARY_DIR})
