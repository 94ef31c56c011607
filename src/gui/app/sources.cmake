list(APPEND KORVO_GUI_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/desktopnotifier.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dialogkeys.cpp
    ${CMAKE_CURRENT_LIST_DIR}/label.cpp
    ${CMAKE_CURRENT_LIST_DIR}/noticebox.cpp
    ${CMAKE_CURRENT_LIST_DIR}/toolwindow.cpp)
