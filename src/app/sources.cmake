# The single-instance guard and the private-file rules: a shared library of
# their own, which the launcher loads alone and the client through the base.
list(APPEND KORVO_INSTANCE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/instanceguard.cpp
    ${CMAKE_CURRENT_LIST_DIR}/messageconnection.cpp
    ${CMAKE_CURRENT_LIST_DIR}/privatefiles.cpp)
list(APPEND KORVO_BASE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/appidentity.cpp
    ${CMAKE_CURRENT_LIST_DIR}/apppaths.cpp
    ${CMAKE_CURRENT_LIST_DIR}/autostart.cpp
    ${CMAKE_CURRENT_LIST_DIR}/backgroundtasks.cpp
    ${CMAKE_CURRENT_LIST_DIR}/enginearguments.cpp
    ${CMAKE_CURRENT_LIST_DIR}/exitsignals.cpp
    ${CMAKE_CURRENT_LIST_DIR}/extras.cpp
    ${CMAKE_CURRENT_LIST_DIR}/processsampler.cpp
    ${CMAKE_CURRENT_LIST_DIR}/processusage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings.cpp
    ${CMAKE_CURRENT_LIST_DIR}/skinstyle.cpp
    ${CMAKE_CURRENT_LIST_DIR}/startupprobe.cpp
    ${CMAKE_CURRENT_LIST_DIR}/storagenotices.cpp)
list(APPEND KORVO_GUI_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/singleapplication.cpp)
