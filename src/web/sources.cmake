list(APPEND KORVO_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/navigationrequestinterceptor.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tabwidget.cpp
    ${CMAKE_CURRENT_LIST_DIR}/webenginepage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/webengineprofile.cpp
    ${CMAKE_CURRENT_LIST_DIR}/webview.cpp)
