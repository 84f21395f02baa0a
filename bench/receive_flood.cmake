# receive_flood: the receive path's speed against the simulator's flood.
if(ORVANE_BUILD_QT AND TARGET orvane-sim)
    add_executable(receive_flood ${CMAKE_CURRENT_LIST_DIR}/receive_flood.cpp
                                 ${CMAKE_SOURCE_DIR}/tests/qt/support/SimProcess.cpp)
    target_include_directories(receive_flood PRIVATE ${CMAKE_SOURCE_DIR}/tests/qt)
    target_compile_definitions(receive_flood PRIVATE ORVANE_BIN_DIR="${CMAKE_BINARY_DIR}")
    target_link_libraries(receive_flood PRIVATE orvane_link)
    add_dependencies(receive_flood orvane-sim)
endif()
