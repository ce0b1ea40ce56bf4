# The device link's read speed against the virtual unit held to the 115200 baud line rate.
if(TARGET hxsimcore)
    hx_add_bench(bench_serialread SOURCES "${CMAKE_CURRENT_LIST_DIR}/bench_serialread.cpp"
        LIBS hxserial hxsimcore Qt5::Core)
endif()
