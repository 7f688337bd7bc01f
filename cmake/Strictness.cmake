# One interface target carries the warning flags and Qt's strictness macros; every target of the
# project links it.
add_library(plenwick_strict INTERFACE)
add_library(Plenwick::strict ALIAS plenwick_strict)

target_compile_options(plenwick_strict INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow=local -Wnon-virtual-dtor -Woverloaded-virtual -Wcast-align
    -Wformat=2 -Wimplicit-fallthrough -Wmissing-declarations
    $<$<BOOL:${PLENWICK_WERROR}>:-Werror>)

target_compile_definitions(plenwick_strict INTERFACE
    QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_CAST_FROM_BYTEARRAY QT_NO_URL_CAST_FROM_STRING
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT QT_NO_FOREACH QT_NO_KEYWORDS QT_USE_QSTRINGBUILDER
    QT_NO_CONTEXTLESS_CONNECT QT_DISABLE_DEPRECATED_UP_TO=0x060400)

if(PLENWICK_SANITIZE)
    target_compile_options(plenwick_strict INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer)
    target_link_options(plenwick_strict INTERFACE -fsanitize=address,undefined)
endif()

# The hardening Debian's own build flags give a packaged program; fortified functions need an
# optimised build and would get in the sanitizers' way.
target_compile_options(plenwick_strict INTERFACE -fstack-protector-strong)
target_link_options(plenwick_strict INTERFACE LINKER:-z,relro,-z,now)
if(NOT PLENWICK_SANITIZE)
    target_compile_definitions(plenwick_strict INTERFACE $<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
endif()
