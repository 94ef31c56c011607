list(APPEND KORVO_GUI_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/combobox.cpp
    ${CMAKE_CURRENT_LIST_DIR}/loginform.cpp)
