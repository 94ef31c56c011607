list(APPEND KORVO_BASE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/crashrecovery.cpp
    ${CMAKE_CURRENT_LIST_DIR}/external.cpp
    ${CMAKE_CURRENT_LIST_DIR}/desktopshortcut.cpp
    ${CMAKE_CURRENT_LIST_DIR}/gameurlgotointerceptorthread.cpp
    ${CMAKE_CURRENT_LIST_DIR}/gametab.cpp
    ${CMAKE_CURRENT_LIST_DIR}/rememberedgames.cpp
    ${CMAKE_CURRENT_LIST_DIR}/shortcutaddress.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tabtitle.cpp
    ${CMAKE_CURRENT_LIST_DIR}/threadgameidhostmap.cpp
    ${CMAKE_CURRENT_LIST_DIR}/urlrouter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/urlrules.cpp)
list(APPEND KORVO_GUI_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/bridgechannel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/fullscreennotification.cpp
    ${CMAKE_CURRENT_LIST_DIR}/gameopener.cpp
    ${CMAKE_CURRENT_LIST_DIR}/navigationrequestinterceptor.cpp
    ${CMAKE_CURRENT_LIST_DIR}/qqlinkscheme.cpp
    ${CMAKE_CURRENT_LIST_DIR}/routefollower.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tabcrashguard.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tabpages.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tabresources.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tabwidget.cpp
    ${CMAKE_CURRENT_LIST_DIR}/webenginepage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/webengineprofile.cpp
    ${CMAKE_CURRENT_LIST_DIR}/webtoolbar.cpp
    ${CMAKE_CURRENT_LIST_DIR}/webview.cpp)
