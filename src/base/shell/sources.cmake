list(APPEND KORVO_BASE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/avatarpicture.cpp
    ${CMAKE_CURRENT_LIST_DIR}/bosskeyrule.cpp
    ${CMAKE_CURRENT_LIST_DIR}/browseraddress.cpp
    ${CMAKE_CURRENT_LIST_DIR}/closerule.cpp
    ${CMAKE_CURRENT_LIST_DIR}/framegeometry.cpp
    ${CMAKE_CURRENT_LIST_DIR}/iconpixmap.cpp
    ${CMAKE_CURRENT_LIST_DIR}/notifyrule.cpp
    ${CMAKE_CURRENT_LIST_DIR}/screenplacement.cpp
    ${CMAKE_CURRENT_LIST_DIR}/storedgeometry.cpp)
