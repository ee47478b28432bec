# Helpers shared by every subsystem's CMakeLists.txt.

function(gripdeck_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
    if(GRIPDECK_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

# A portable library: no windows.h, builds natively and for Windows. Its tests
# live in tests/core and are linked against every portable library.
function(gripdeck_core_library name)
    add_library(${name} STATIC ${ARGN})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    gripdeck_warnings(${name})
    set_property(GLOBAL APPEND PROPERTY GRIPDECK_CORE_LIBS ${name})
endfunction()

# A Win32 library: only in the Windows presets. Its tests live in tests/win.
function(gripdeck_win_library name)
    add_library(${name} STATIC ${ARGN})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/res)
    gripdeck_warnings(${name})
    set_property(GLOBAL APPEND PROPERTY GRIPDECK_WIN_LIBS ${name})
endfunction()

# GRIPDECK_SANITIZE: every target, GoogleTest included, with AddressSanitizer
# and UBSan, stopping at the first finding. Meant for Debug builds, where the
# asserts are live.
macro(gripdeck_sanitize)
    if(GRIPDECK_SANITIZE)
        add_compile_options(-fno-omit-frame-pointer -fsanitize=address,undefined
                            -fno-sanitize-recover=all)
        add_link_options(-fsanitize=address,undefined)
    endif()
endmacro()
