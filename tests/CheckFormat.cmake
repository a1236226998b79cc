# Fails when any C++ source of the project differs from what clang-format makes of it.
file(GLOB_RECURSE sources
     ${ROOT}/app/*.cpp ${ROOT}/app/*.h ${ROOT}/comp/*.cpp ${ROOT}/comp/*.h
     ${ROOT}/platform/*.cpp ${ROOT}/platform/*.h ${ROOT}/tests/*.cpp ${ROOT}/tests/*.h
     ${ROOT}/bench/*.cpp ${ROOT}/bench/*.h ${ROOT}/fuzz/*.cpp ${ROOT}/fuzz/*.h)
execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${sources}
                RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "Sources are not clang-format clean:\n${errors}")
endif()
