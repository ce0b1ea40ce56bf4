# The program as a whole: start-up time and peak memory against a minimal Qt widget
# program, answers per second into the widgets, and CPU used while polling a unit.
if(TARGET hxmain)
    # The yardstick of bench_startup; not a benchmark of its own (no bench_ prefix).
    add_executable(minimalwidget "${CMAKE_CURRENT_LIST_DIR}/minimalwidget.cpp")
    target_link_libraries(minimalwidget PRIVATE Qt5::Widgets)
    set_target_properties(minimalwidget PROPERTIES
        RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/bench-bin")

    hx_add_bench(bench_startup SOURCES "${CMAKE_CURRENT_LIST_DIR}/bench_startup.cpp"
        LIBS Qt5::Core)
    target_compile_definitions(bench_startup PRIVATE
        HXMAIN_PATH="$<TARGET_FILE:hxmain>"
        MINIMALWIDGET_PATH="$<TARGET_FILE:minimalwidget>")
    add_dependencies(bench_startup hxmain minimalwidget)
endif()

if(TARGET hxmaincore)
    hx_add_bench(bench_answers SOURCES "${CMAKE_CURRENT_LIST_DIR}/bench_answers.cpp"
        "${CMAKE_CURRENT_LIST_DIR}/benchlink.h" LIBS hxmaincore Qt5::Widgets)
    if(TARGET hxsim)
        hx_add_bench(bench_polling SOURCES "${CMAKE_CURRENT_LIST_DIR}/bench_polling.cpp"
            LIBS hxmaincore Qt5::Widgets Qt5::Test)
        target_compile_definitions(bench_polling PRIVATE HXSIM_PATH="$<TARGET_FILE:hxsim>")
        add_dependencies(bench_polling hxsim)
    endif()
endif()
