list(APPEND ORVANE_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/LineAssembler.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CommandComposer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ReplyMatcher.cpp
)
