list(APPEND KORVO_GUI_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/compactbuttons.cpp
    ${CMAKE_CURRENT_LIST_DIR}/gametabtools.cpp
    ${CMAKE_CURRENT_LIST_DIR}/gametoolbar.cpp
    ${CMAKE_CURRENT_LIST_DIR}/h5hosttoolbar.cpp
    ${CMAKE_CURRENT_LIST_DIR}/hosttoolbar.cpp
    ${CMAKE_CURRENT_LIST_DIR}/screenhostform.cpp
    ${CMAKE_CURRENT_LIST_DIR}/skinbackdrop.cpp
    ${CMAKE_CURRENT_LIST_DIR}/smallaccountchooser.cpp
    ${CMAKE_CURRENT_LIST_DIR}/smallaccountform.cpp
    ${CMAKE_CURRENT_LIST_DIR}/smallaccountformadd.cpp
    ${CMAKE_CURRENT_LIST_DIR}/smallaccountplay.cpp
    ${CMAKE_CURRENT_LIST_DIR}/smallleftbarform.cpp)
