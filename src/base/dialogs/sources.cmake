list(APPEND KORVO_BASE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/cachedirectory.cpp
    ${CMAKE_CURRENT_LIST_DIR}/checkupdatethread.cpp
    ${CMAKE_CURRENT_LIST_DIR}/skinarchive.cpp
    ${CMAKE_CURRENT_LIST_DIR}/skininstaller.cpp
    ${CMAKE_CURRENT_LIST_DIR}/updatecheck.cpp)
