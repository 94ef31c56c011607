list(APPEND KORVO_GUI_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/aboutform.cpp
    ${CMAKE_CURRENT_LIST_DIR}/allsignform.cpp
    ${CMAKE_CURRENT_LIST_DIR}/auxwindows.cpp
    ${CMAKE_CURRENT_LIST_DIR}/boxsettingform.cpp
    ${CMAKE_CURRENT_LIST_DIR}/clearcacheform.cpp
    ${CMAKE_CURRENT_LIST_DIR}/closesettingform.cpp
    ${CMAKE_CURRENT_LIST_DIR}/resourceform.cpp
    ${CMAKE_CURRENT_LIST_DIR}/signform.cpp
    ${CMAKE_CURRENT_LIST_DIR}/skinform.cpp
    ${CMAKE_CURRENT_LIST_DIR}/skinphoto.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tabresources.cpp
    ${CMAKE_CURRENT_LIST_DIR}/updateform.cpp
    ${CMAKE_CURRENT_LIST_DIR}/vipform.cpp)
