list(APPEND KORVO_BASE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/crashrecovery.cpp
    ${CMAKE_CURRENT_LIST_DIR}/external.cpp
    ${CMAKE_CURRENT_LIST_DIR}/desktopshortcut.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dialogflood.cpp
    ${CMAKE_CURRENT_LIST_DIR}/gameurlgotointerceptorthread.cpp
    ${CMAKE_CURRENT_LIST_DIR}/gametab.cpp
    ${CMAKE_CURRENT_LIST_DIR}/newtabgate.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sitepermissions.cpp
    ${CMAKE_CURRENT_LIST_DIR}/rememberedgames.cpp
    ${CMAKE_CURRENT_LIST_DIR}/serverhosts.cpp
    ${CMAKE_CURRENT_LIST_DIR}/shortcutaddress.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tabstripwidth.cpp
    ${CMAKE_CURRENT_LIST_DIR}/shortcuttoken.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tabtitle.cpp
    ${CMAKE_CURRENT_LIST_DIR}/threadgameidhostmap.cpp
    ${CMAKE_CURRENT_LIST_DIR}/urlrouter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/urlrules.cpp)
