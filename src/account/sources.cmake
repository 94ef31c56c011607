list(APPEND KORVO_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/sqlite.cpp
    ${CMAKE_CURRENT_LIST_DIR}/combobox.cpp
    ${CMAKE_CURRENT_LIST_DIR}/loginform.cpp)
