# Flags shared by every target of the client.
add_library(korvo_common INTERFACE)
target_compile_definitions(korvo_common INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_NO_CAST_TO_ASCII
    QT_NO_CAST_FROM_BYTEARRAY
    QT_NO_URL_CAST_FROM_STRING
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    QT_USE_QSTRINGBUILDER
    QT_DISABLE_DEPRECATED_BEFORE=0x050F00
    OPENSSL_API_COMPAT=30000
    OPENSSL_NO_DEPRECATED)
target_compile_options(korvo_common INTERFACE -Wall -Wextra -Wpedantic)

option(KORVO_WERROR "Treat compiler warnings as errors (CI turns it on)" OFF)
if(KORVO_WERROR)
    target_compile_options(korvo_common INTERFACE -Werror)
endif()

if(KORVO_SANITIZE)
    target_compile_options(korvo_common INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer)
    target_link_options(korvo_common INTERFACE -fsanitize=address,undefined)
endif()

# Release builds are hardened the way the distribution builds its own packages:
# checked string and memory functions, a guarded stack, and relocations bound
# at start and then made read-only. The sanitizers bring checks of their own.
if(NOT KORVO_SANITIZE)
    set(korvo_release "$<OR:$<CONFIG:Release>,$<CONFIG:RelWithDebInfo>,$<CONFIG:MinSizeRel>>")
    target_compile_options(korvo_common INTERFACE
        "$<${korvo_release}:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2;-fstack-protector-strong>")
    target_link_options(korvo_common INTERFACE "$<${korvo_release}:LINKER:-z,relro,-z,now>")
endif()

option(KORVO_FUZZ "Build the libFuzzer targets in fuzz/ (needs clang)" OFF)
if(KORVO_FUZZ)
    target_compile_options(korvo_common INTERFACE
        -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
    target_link_options(korvo_common INTERFACE -fsanitize=address,undefined)
endif()
