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
# the window. Link gd_delay_<dll> where <dll> would be linked; functions not
# listed are imported as usual. Each name carries its stdcall decoration (the
# bytes of its arguments on a 32-bit stack), which the 32-bit build's import
# symbols need and the 64-bit build drops; a wrong one fails the link.
function(gripdeck_delay_imports)
    set(delayed
        "comctl32:DefSubclassProc@16,InitCommonControlsEx@4,RemoveWindowSubclass@12,SetWindowSubclass@16"
        "comdlg32:CommDlgExtendedError@0,GetOpenFileNameA@4,GetSaveFileNameA@4,PrintDlgA@4"
        "newdev:UpdateDriverForPlugAndPlayDevicesA@20"
        "setupapi:SetupCopyOEMInfA@32,SetupDiDestroyDeviceInfoList@4,SetupDiEnumDeviceInfo@12,SetupDiEnumDeviceInterfaces@20,SetupDiGetClassDevsA@16,SetupDiGetDeviceInterfaceDetailA@24,SetupDiGetDeviceRegistryPropertyA@28"
        "shell32:ShellExecuteA@24,Shell_NotifyIconA@8")
    foreach(entry ${delayed})
        string(REPLACE ":" ";" parts ${entry})
        list(GET parts 0 dll)
        list(GET parts 1 functions)
        set(name gd_delay_${dll})
        if(NOT WIN32 OR NOT CMAKE_DLLTOOL)
            add_library(${name} INTERFACE)
            target_link_libraries(${name} INTERFACE ${dll})
            continue()
        endif()
        set(kill_at)
        if(CMAKE_SIZEOF_VOID_P EQUAL 8)
            string(REGEX REPLACE "@[0-9]+" "" functions "${functions}")
        else()
            # The DLL exports the plain names.
            set(kill_at --kill-at)
        endif()
        set(dir ${CMAKE_BINARY_DIR}/delay_imports)
        string(REPLACE "," "\n" exports ${functions})
        file(WRITE ${dir}/${dll}.def "LIBRARY ${dll}.dll\nEXPORTS\n${exports}\n")
        execute_process(
            COMMAND ${CMAKE_DLLTOOL} --input-def ${dir}/${dll}.def --dllname ${dll}.dll ${kill_at}
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
