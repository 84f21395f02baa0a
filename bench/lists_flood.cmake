# lists_flood: the whole receive path into the traffic lists of the real main
# window under the simulator's flood; reports event-loop stalls and memory.
if(ORVANE_BUILD_QT AND TARGET orvane-sim AND TARGET orvane_ui)
    add_executable(lists_flood ${CMAKE_CURRENT_LIST_DIR}/lists_flood.cpp
                               ${CMAKE_SOURCE_DIR}/tests/qt/support/SimProcess.cpp)
    target_include_directories(lists_flood PRIVATE ${CMAKE_SOURCE_DIR}/tests/qt)
    target_compile_definitions(lists_flood PRIVATE ORVANE_BIN_DIR="${CMAKE_BINARY_DIR}")
    target_link_libraries(lists_flood PRIVATE orvane_ui)
    add_dependencies(lists_flood orvane-sim)
endif()
