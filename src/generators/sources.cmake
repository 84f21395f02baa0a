list(APPEND ORVANE_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/Headers.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NumberEntry.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LightingCommands.cpp
)
list(APPEND ORVANE_UI_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/../ui/NumberCombo.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LightingTab.cpp
)
