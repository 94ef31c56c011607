list(APPEND KORVO_BASE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/accountoperations.cpp
    ${CMAKE_CURRENT_LIST_DIR}/allaccountsrun.cpp
    ${CMAKE_CURRENT_LIST_DIR}/rememberedaccounts.cpp
    ${CMAKE_CURRENT_LIST_DIR}/loginservice.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sqlite.cpp)
