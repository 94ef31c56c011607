list(APPEND KORVO_BASE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/gametoollinks.cpp
    ${CMAKE_CURRENT_LIST_DIR}/gametoolreplies.cpp)
list(APPEND KORVO_GUI_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/gametoolbar.cpp
    ${CMAKE_CURRENT_LIST_DIR}/h5hosttoolbar.cpp
    ${CMAKE_CURRENT_LIST_DIR}/hosttoolbar.cpp)
