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

# Windows libraries that the programs need only for a command or after their
# window shows: each gd_delay_<dll> imports the functions named here when they
# are first called, so that loading and starting the DLL (comdlg32 brings the
# print spooler with it, comctl32 registers all its classes) does not delay
# the window. Link gd_delay_<dll> where
# <dll> would be linked; functions not listed are imported as usual. The
# 64-bit build only: the 32-bit one would need each name's stdcall decoration.
function(gripdeck_delay_imports)
    set(delayed
        "comctl32:DefSubclassProc,InitCommonControlsEx,RemoveWindowSubclass,SetWindowSubclass"
        "comdlg32:CommDlgExtendedError,GetOpenFileNameA,GetSaveFileNameA"
        "newdev:UpdateDriverForPlugAndPlayDevicesA"
        "setupapi:SetupCopyOEMInfA,SetupDiDestroyDeviceInfoList,SetupDiEnumDeviceInfo,SetupDiEnumDeviceInterfaces,SetupDiGetClassDevsA,SetupDiGetDeviceInterfaceDetailA,SetupDiGetDeviceRegistryPropertyA"
        "shell32:ShellExecuteA,Shell_NotifyIconA")
    foreach(entry ${delayed})
        string(REPLACE ":" ";" parts ${entry})
        list(GET parts 0 dll)
        list(GET parts 1 functions)
        set(name gd_delay_${dll})
        if(NOT WIN32 OR NOT CMAKE_SIZEOF_VOID_P EQUAL 8 OR NOT CMAKE_DLLTOOL)
            add_library(${name} INTERFACE)
            target_link_libraries(${name} INTERFACE ${dll})
            continue()
        endif()
        set(dir ${CMAKE_BINARY_DIR}/delay_imports)
        string(REPLACE "," "\n" exports ${functions})
        file(WRITE ${dir}/${dll}.def "LIBRARY ${dll}.dll\nEXPORTS\n${exports}\n")
        execute_process(
            COMMAND ${CMAKE_DLLTOOL} --input-def ${dir}/${dll}.def --dllname ${dll}.dll
                    --output-delaylib ${dir}/libdelay_${dll}.a
            RESULT_VARIABLE failed)
        if(failed)
            message(FATAL_ERROR "dlltool could not make the delay-load library of ${dll}")
        endif()
        add_library(${name} STATIC IMPORTED GLOBAL)
        set_target_properties(${name} PROPERTIES IMPORTED_LOCATION ${dir}/libdelay_${dll}.a
                                                 INTERFACE_LINK_LIBRARIES ${dll})
    endforeach()
endfunction()
