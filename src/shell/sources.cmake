list(APPEND KORVO_BASE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/avatarpicture.cpp
    ${CMAKE_CURRENT_LIST_DIR}/browseraddress.cpp
    ${CMAKE_CURRENT_LIST_DIR}/framegeometry.cpp)
list(APPEND KORVO_GUI_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/bossmute.cpp
    ${CMAKE_CURRENT_LIST_DIR}/framedragger.cpp
    ${CMAKE_CURRENT_LIST_DIR}/gamesessions.cpp
    ${CMAKE_CURRENT_LIST_DIR}/hometoolbar.cpp
    ${CMAKE_CURRENT_LIST_DIR}/label.cpp
    ${CMAKE_CURRENT_LIST_DIR}/loginbuttons.cpp
    ${CMAKE_CURRENT_LIST_DIR}/gametabmenu.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mainframe.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mainmenu.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sessionrestore.cpp
    ${CMAKE_CURRENT_LIST_DIR}/shortcutlauncher.cpp
    ${CMAKE_CURRENT_LIST_DIR}/statusbar.cpp
    ${CMAKE_CURRENT_LIST_DIR}/storagenoticebox.cpp
    ${CMAKE_CURRENT_LIST_DIR}/systembrowser.cpp
    ${CMAKE_CURRENT_LIST_DIR}/toolwindow.cpp
    ${CMAKE_CURRENT_LIST_DIR}/trayicon.cpp
    ${CMAKE_CURRENT_LIST_DIR}/userphotocontrol.cpp
    ${CMAKE_CURRENT_LIST_DIR}/windowfinder.cpp
    ${CMAKE_CURRENT_LIST_DIR}/windowplacer.cpp)
