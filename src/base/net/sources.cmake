list(APPEND KORVO_BASE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/portal.cpp
    ${CMAKE_CURRENT_LIST_DIR}/jsonkeycheck.cpp
    ${CMAKE_CURRENT_LIST_DIR}/bodydecoder.cpp
    ${CMAKE_CURRENT_LIST_DIR}/replyguard.cpp
    ${CMAKE_CURRENT_LIST_DIR}/connectionshutdown.cpp
    ${CMAKE_CURRENT_LIST_DIR}/guardednetwork.cpp
    ${CMAKE_CURRENT_LIST_DIR}/httprequest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/rsasignature.cpp
    ${CMAKE_CURRENT_LIST_DIR}/networkcookie.cpp
    ${CMAKE_CURRENT_LIST_DIR}/session.cpp
    ${CMAKE_CURRENT_LIST_DIR}/threadcheckaccount.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tokendelaythread.cpp)
