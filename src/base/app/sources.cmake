list(APPEND KORVO_INSTANCE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/instanceguard.cpp
    ${CMAKE_CURRENT_LIST_DIR}/messageconnection.cpp
    ${CMAKE_CURRENT_LIST_DIR}/wakemessage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/privatefiles.cpp)
list(APPEND KORVO_BASE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/appidentity.cpp
    ${CMAKE_CURRENT_LIST_DIR}/apppaths.cpp
    ${CMAKE_CURRENT_LIST_DIR}/autostart.cpp
    ${CMAKE_CURRENT_LIST_DIR}/exitsignals.cpp
    ${CMAKE_CURRENT_LIST_DIR}/extras.cpp
    ${CMAKE_CURRENT_LIST_DIR}/processfamily.cpp
    ${CMAKE_CURRENT_LIST_DIR}/processsampler.cpp
    ${CMAKE_CURRENT_LIST_DIR}/processusage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings.cpp
    ${CMAKE_CURRENT_LIST_DIR}/skinstyle.cpp
    ${CMAKE_CURRENT_LIST_DIR}/startupprobe.cpp
    ${CMAKE_CURRENT_LIST_DIR}/storagenotices.cpp)
