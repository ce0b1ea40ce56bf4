# cmake -DINPUT=chart.html -DOUTPUT=<file> -P HxChartPageWithoutScripts.cmake
# The chart page for a build that could not fetch its chart scripts: the page's first
# message says what is missing and what to do, instead of waiting for a chart.
set(_waiting "<b>Flight log chart</b>Waiting for the record from the unit.")
set(_missing "<b>The chart scripts are missing</b>This copy of the program was built without \
jquery-3.1.1.min.js and highstock.js (they come from the npm registry, which could not be \
reached), so flight-log charts cannot be drawn; the event table works as usual. Build it again \
with a network connection (make run) to get the charts.")
file(READ "${INPUT}" _page)
string(FIND "${_page}" "${_waiting}" _at)
if(_at LESS 0)
    message(FATAL_ERROR "${INPUT} no longer holds the waiting message; update ${CMAKE_CURRENT_LIST_FILE}")
endif()
string(REPLACE "${_waiting}" "${_missing}" _page "${_page}")
file(WRITE "${OUTPUT}" "${_page}")
