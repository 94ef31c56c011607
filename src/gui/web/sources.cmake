list(APPEND KORVO_GUI_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/bridgechannel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/bridgerequests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/fullscreennotification.cpp
    ${CMAKE_CURRENT_LIST_DIR}/gameopener.cpp
    ${CMAKE_CURRENT_LIST_DIR}/navigationrequestinterceptor.cpp
    ${CMAKE_CURRENT_LIST_DIR}/qqlinkscheme.cpp
    ${CMAKE_CURRENT_LIST_DIR}/pagenotice.cpp
    ${CMAKE_CURRENT_LIST_DIR}/routefollower.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tabcrashguard.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tabpages.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tabresources.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tabwidget.cpp
    ${CMAKE_CURRENT_LIST_DIR}/userinput.cpp
    ${CMAKE_CURRENT_LIST_DIR}/webenginepage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/webengineprofile.cpp
    ${CMAKE_CURRENT_LIST_DIR}/webtoolbar.cpp
    ${CMAKE_CURRENT_LIST_DIR}/webview.cpp)
