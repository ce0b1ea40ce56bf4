# Shared helpers for the project's targets.

# hx_add_test(<name> SOURCES <files...> LIBS <targets...> [TIMEOUT <s>] [NO_OFFSCREEN])
# One QtTest executable per unit, registered with CTest. Tests run in the build's
# bin folder, where the program's data lives, on the offscreen platform.
function(hx_add_test name)
    cmake_parse_arguments(T "NO_OFFSCREEN" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 120)
    endif()
    if(HX_ASAN)
        # Sanitized code, WebKit above all, runs several times slower.
        math(EXPR T_TIMEOUT "${T_TIMEOUT} * 5")
    endif()
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE Qt5::Test ${T_LIBS})
    set_target_properties(${name} PROPERTIES
        RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/tests-bin")
    add_test(NAME ${name} COMMAND ${name})
    set(env "")
    if(NOT T_NO_OFFSCREEN)
        list(APPEND env "QT_QPA_PLATFORM=offscreen")
    endif()
    if(HX_ASAN)
        # Only Qt's own leaks are suppressed, so the project's leaks still fail a test.
        list(APPEND env "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/cmake/lsan.supp:fast_unwind_on_malloc=0")
    endif()
    set_tests_properties(${name} PROPERTIES
        TIMEOUT ${T_TIMEOUT}
        WORKING_DIRECTORY "${HX_BIN_DIR}"
        ENVIRONMENT "${env}")
    if(T_LABELS)
        set_tests_properties(${name} PROPERTIES LABELS "${T_LABELS}")
    endif()
endfunction()

# hx_add_bench(<name> SOURCES <files...> LIBS <targets...>)
# Benchmarks print their results; they are never part of the test suite.
function(hx_add_bench name)
    cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${B_SOURCES})
    target_link_libraries(${name} PRIVATE ${B_LIBS})
    set_target_properties(${name} PROPERTIES
        RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/bench-bin")
endfunction()

# hx_copy_data(<target> <source-root> <destination-root> <files...>)
# Copies data files into the bin folder whenever they change.
function(hx_copy_data target src_root dst_root)
    set(outputs)
    foreach(f ${ARGN})
        file(RELATIVE_PATH rel "${src_root}" "${f}")
        set(out "${dst_root}/${rel}")
        add_custom_command(OUTPUT "${out}"
            COMMAND ${CMAKE_COMMAND} -E copy_if_different "${f}" "${out}"
            DEPENDS "${f}" VERBATIM)
        list(APPEND outputs "${out}")
    endforeach()
    add_custom_target(${target} ALL DEPENDS ${outputs})
endfunction()

# hx_add_program_library(<name> <sources...>)
# The code of a program besides its main.cpp, compiled once into the object library
# <name>_objects. The program links those objects into itself, so the installed program
# needs no library of its own code. Tests, tools and benchmarks link <name>, a shared
# library of the same objects: a changed source then relinks that one library and no test
# (the build does not relink against a changed shared library, CMAKE_LINK_DEPENDS_NO_SHARED).
# Usage requirements (include folders, libraries) go on <name>_objects and reach both.
# On Windows, where a DLL exports nothing without export macros, <name> is a static library.
function(hx_add_program_library name)
    add_library(${name}_objects OBJECT ${ARGN})
    set_target_properties(${name}_objects PROPERTIES POSITION_INDEPENDENT_CODE ON)
    if(WIN32)
        add_library(${name} STATIC)
    else()
        add_library(${name} SHARED)
    endif()
    # Its objects were through moc and uic already.
    set_target_properties(${name} PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
    target_link_libraries(${name} PUBLIC ${name}_objects)
endfunction()
