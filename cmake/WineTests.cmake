# Win32 and end-to-end tests under Wine: one private prefix for the whole test run, in the build tree,
# set up by the fixture "wine" and removed again by its clean-up.
set(KX205_WINE_ROOT ${CMAKE_BINARY_DIR}/wine)
set(KX205_ENV_DIR ${PROJECT_SOURCE_DIR}/tests/env)
set(KX205_TEST_ENV
    KX205_WINE_ROOT=${KX205_WINE_ROOT}
    KX205_SIM=${KX205_HOST_TOOLS_DIR}/kx205sim
    KX205_PTYFIX=${KX205_HOST_TOOLS_DIR}/libptyfix.so
    KX205_SIM_CTL=${KX205_ENV_DIR}/sim-ctl
    KX205_BUILD_DIR=${CMAKE_BINARY_DIR}
    KX205_TERMIOS_LOG=${KX205_WINE_ROOT}/termios-requests.log
    KX205_ARTIFACTS=${CMAKE_BINARY_DIR}/artifacts
)

add_test(NAME wine.setup COMMAND ${KX205_ENV_DIR}/wine-env up)
add_test(NAME wine.cleanup COMMAND ${KX205_ENV_DIR}/wine-env down)
set_tests_properties(wine.setup PROPERTIES FIXTURES_SETUP wine ENVIRONMENT "${KX205_TEST_ENV}" LABELS env)
set_tests_properties(wine.cleanup PROPERTIES FIXTURES_CLEANUP wine ENVIRONMENT "${KX205_TEST_ENV}" LABELS env)

# A Windows GoogleTest executable, run through Wine.
function(kx205_wine_gtest target name)
    add_test(NAME ${name} COMMAND ${target})
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine ENVIRONMENT "${KX205_TEST_ENV}"
                         LABELS win32 RESOURCE_LOCK wine_display)
endfunction()

# A script that drives real programs under Wine.
function(kx205_e2e_test name script)
    add_test(NAME ${name} COMMAND ${script} ${ARGN})
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine ENVIRONMENT "${KX205_TEST_ENV}"
                         LABELS e2e RESOURCE_LOCK wine_display)
endfunction()
