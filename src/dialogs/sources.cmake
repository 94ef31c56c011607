list(APPEND KORVO_GUI_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/aboutform.cpp
    ${CMAKE_CURRENT_LIST_DIR}/boxsettingform.cpp
    ${CMAKE_CURRENT_LIST_DIR}/closesettingform.cpp)
