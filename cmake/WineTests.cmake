# Tests that run Windows programs under wine (tools/wine-run, the build's
# emulator). They share one home and wine prefix per build tree, made by a
# setup test before the first of them and removed by a cleanup test after
# the last; they run one at a time, since programs that share a prefix share
# its wineserver.
set(QUORVANE_WINE_HOME ${CMAKE_BINARY_DIR}/wine-home)

add_test(NAME wine_home_create COMMAND ${PROJECT_SOURCE_DIR}/tools/wine-home create ${QUORVANE_WINE_HOME})
add_test(NAME wine_home_remove COMMAND ${PROJECT_SOURCE_DIR}/tools/wine-home remove ${QUORVANE_WINE_HOME})
set_tests_properties(wine_home_create PROPERTIES FIXTURES_SETUP wine_home)
set_tests_properties(wine_home_remove PROPERTIES FIXTURES_CLEANUP wine_home)

# Marks tests as wine tests: the shared home, one at a time, time to start wine.
function(quorvane_wine_tests)
    set_tests_properties(${ARGN} PROPERTIES
        TIMEOUT 900
        FIXTURES_REQUIRED wine_home
        RESOURCE_LOCK wine_home
        WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
        ENVIRONMENT "QUORVANE_WINE_HOME=${QUORVANE_WINE_HOME}")
endfunction()
