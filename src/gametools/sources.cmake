list(APPEND KORVO_BASE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/gametoollinks.cpp
    ${CMAKE_CURRENT_LIST_DIR}/gametoolreplies.cpp)
