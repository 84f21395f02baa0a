# The application shell. Settings values, the command line and the release
# notes are plain C++; the windows are Qt.
list(APPEND ORVANE_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/Settings.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CommandLine.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ReleaseNotes.cpp
)
# The help set is compiled into the program as a resource.
set(CMAKE_AUTORCC ON)
list(APPEND ORVANE_UI_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/QtSettingsStore.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MainForm.cpp
    ${CMAKE_CURRENT_LIST_DIR}/OptionsForm.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PrintForm.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WhatsNewForm.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HelpWindow.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Application.cpp
    ${CMAKE_CURRENT_LIST_DIR}/help.qrc
)
