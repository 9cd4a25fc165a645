# End-to-end runs of the built program: the screens of a whole game from its own screenshots, and
# the real window under a virtual X server driven by xdotool (skipped where Xvfb or xdotool is
# missing; `make deps` installs them).
find_package(Python3 COMPONENTS Interpreter)
if(Python3_FOUND)
    set(E2E_DIR ${CMAKE_SOURCE_DIR}/tests/e2e)
    add_test(NAME e2e_headless_screens
        COMMAND ${Python3_EXECUTABLE} ${E2E_DIR}/headless_screens.py $<TARGET_FILE:pakaponta> ${PAKAPONTA_OUT})
    add_test(NAME e2e_daily_deal COMMAND ${Python3_EXECUTABLE} ${E2E_DIR}/daily_deal.py $<TARGET_FILE:pakaponta>)
    foreach(run play autoplay)
        add_test(NAME e2e_window_${run}
            COMMAND ${Python3_EXECUTABLE} ${E2E_DIR}/window_e2e.py $<TARGET_FILE:pakaponta> ${PAKAPONTA_OUT} ${run})
        # Wall-clock timings in a real window: keep other tests off the cores meanwhile.
        set_tests_properties(e2e_window_${run} PROPERTIES SKIP_RETURN_CODE 77 RUN_SERIAL TRUE TIMEOUT 300)
    endforeach()
    # The window closed during a pop-up, a card flight, the game-over wait, the ending and the result
    # table, and hidden during a computer turn; three games run side by side on their own displays.
    add_test(NAME e2e_window_faults
        COMMAND ${Python3_EXECUTABLE} ${E2E_DIR}/window_faults.py $<TARGET_FILE:pakaponta> ${PAKAPONTA_OUT})
    set_tests_properties(e2e_window_faults PROPERTIES SKIP_RETURN_CODE 77 RUN_SERIAL TRUE TIMEOUT 400)
    # The kept game: killed in the player's turn and closed during a pop-up, then resumed.
    add_test(NAME e2e_window_keep
        COMMAND ${Python3_EXECUTABLE} ${E2E_DIR}/window_keep.py $<TARGET_FILE:pakaponta> ${PAKAPONTA_OUT})
    set_tests_properties(e2e_window_keep PROPERTIES SKIP_RETURN_CODE 77 RUN_SERIAL TRUE TIMEOUT 300)
endif()
