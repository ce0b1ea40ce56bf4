# The program as a whole: start-up time and peak memory against the floor program, answers
# per second into the widgets of every tab, and CPU used while polling a unit.
if(TARGET hxmain)
    # The yardstick of bench_startup; not a benchmark of its own (no bench_ prefix).
    add_executable(chartfloor "${CMAKE_CURRENT_LIST_DIR}/chartfloor.cpp"
        "${PROJECT_SOURCE_DIR}/MainMvcApplication/startup/firstpaintprobe.cpp")
    target_include_directories(chartfloor PRIVATE "${PROJECT_SOURCE_DIR}/MainMvcApplication/startup")
    target_link_libraries(chartfloor PRIVATE Qt5::Widgets Qt5::WebKitWidgets)
    set_target_properties(chartfloor PROPERTIES
        RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/bench-bin")

    hx_add_bench(bench_startup SOURCES "${CMAKE_CURRENT_LIST_DIR}/bench_startup.cpp"
        LIBS Qt5::Core)
    target_compile_definitions(bench_startup PRIVATE
        HXMAIN_PATH="$<TARGET_FILE:hxmain>"
        CHARTFLOOR_PATH="$<TARGET_FILE:chartfloor>")
    add_dependencies(bench_startup hxmain chartfloor)
    if(TARGET hxsim)
        target_compile_definitions(bench_startup PRIVATE HXSIM_PATH="$<TARGET_FILE:hxsim>")
        add_dependencies(bench_startup hxsim)
    endif()
endif()

if(TARGET hxmaincore)
    hx_add_bench(bench_answers SOURCES "${CMAKE_CURRENT_LIST_DIR}/bench_answers.cpp"
        "${CMAKE_CURRENT_LIST_DIR}/benchlink.h" LIBS hxmaincore Qt5::Widgets)
    if(TARGET hxsim)
        hx_add_bench(bench_polling SOURCES "${CMAKE_CURRENT_LIST_DIR}/bench_polling.cpp"
            LIBS hxmaincore Qt5::Widgets)
        target_compile_definitions(bench_polling PRIVATE HXSIM_PATH="$<TARGET_FILE:hxsim>")
        add_dependencies(bench_polling hxsim)
    endif()
endif()
