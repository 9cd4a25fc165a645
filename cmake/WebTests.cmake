# The tests of the web build (tests/web/test_*.py), run against the build-web beside the sources;
# each skips (77) when that build is absent, and `make test` always makes it first.
set(PAKAPONTA_WEB_BUILD ${CMAKE_SOURCE_DIR}/build-web CACHE PATH "The web build the web tests check")
find_package(Python3 COMPONENTS Interpreter)
file(GLOB WEB_TEST_SCRIPTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/web/test_*.py)
if(Python3_FOUND)
    foreach(script ${WEB_TEST_SCRIPTS})
        get_filename_component(name ${script} NAME_WE)
        add_test(NAME web_${name}
            COMMAND ${Python3_EXECUTABLE} ${script} --site ${PAKAPONTA_WEB_BUILD}/site
                --node ${PAKAPONTA_WEB_BUILD}/node --native ${PAKAPONTA_OUT} --source ${CMAKE_SOURCE_DIR})
        # A browser and Node each take a core; the page's timings want the machine to themselves.
        set_tests_properties(web_${name} PROPERTIES SKIP_RETURN_CODE 77 RUN_SERIAL TRUE TIMEOUT 600)
    endforeach()
endif()
