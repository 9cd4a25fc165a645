# Builds the files the program reads from its own folder (card.dat, thread/*.txt, sound.dat, music,
# resource.ini) from the sources under assets/, with the project's own tools.
set(RUNTIME_FILES)

add_custom_target(runtime_data ALL DEPENDS ${RUNTIME_FILES})
add_dependencies(runtime_data pakaponta)
