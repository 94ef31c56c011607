list(APPEND KORVO_BASE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/gametoollinks.cpp
    ${CMAKE_CURRENT_LIST_DIR}/gametoolreplies.cpp
    ${CMAKE_CURRENT_LIST_DIR}/screenshotshare.cpp
    ${CMAKE_CURRENT_LIST_DIR}/smallaccountrules.cpp)
