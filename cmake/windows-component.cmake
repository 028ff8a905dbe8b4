# The in-process COM component tarvo2vantra.dll, and the Windows test programs that
# drive it under Wine. Included by the top-level CMakeLists.txt for Windows builds only.

# Everything static, the C++ runtime included, so the DLL needs only the system's DLLs.
set(T2V_WIN_STATIC -static -static-libgcc -static-libstdc++)

# The type library: compiled from IDL, embedded in the DLL, its header used by the
# server and by the test client's early-bound calls.
set(idl ${PROJECT_SOURCE_DIR}/src/plugin/com/Tarvo2Vantra.idl)
set(gen ${PROJECT_BINARY_DIR}/generated)
file(MAKE_DIRECTORY ${gen})
find_path(T2V_WINE_TLB_DIR stdole2.tlb PATHS /usr/lib/x86_64-linux-gnu/wine/x86_64-windows
          NO_CMAKE_FIND_ROOT_PATH REQUIRED)
find_path(T2V_WINE_IDL_DIR oaidl.idl PATHS /usr/include/wine/wine/windows /usr/include/wine/windows
          NO_CMAKE_FIND_ROOT_PATH REQUIRED)
add_custom_command(
  OUTPUT ${gen}/Tarvo2Vantra.tlb ${gen}/Tarvo2Vantra_h.h ${gen}/Tarvo2Vantra_i.c
  COMMAND ${T2V_WIDL} -I ${T2V_WINE_IDL_DIR} -L ${T2V_WINE_TLB_DIR} -m64 -t -o ${gen}/Tarvo2Vantra.tlb ${idl}
  COMMAND ${T2V_WIDL} -I ${T2V_WINE_IDL_DIR} -L ${T2V_WINE_TLB_DIR} -m64 -h -o ${gen}/Tarvo2Vantra_h.h ${idl}
  COMMAND ${T2V_WIDL} -I ${T2V_WINE_IDL_DIR} -L ${T2V_WINE_TLB_DIR} -m64 -u -o ${gen}/Tarvo2Vantra_i.c ${idl}
  DEPENDS ${idl}
  COMMENT "widl: type library, header and ids of the plug-in class")
add_custom_target(t2v_typelib DEPENDS ${gen}/Tarvo2Vantra.tlb ${gen}/Tarvo2Vantra_h.h ${gen}/Tarvo2Vantra_i.c)
set_source_files_properties(${gen}/Tarvo2Vantra_i.c PROPERTIES LANGUAGE CXX)

# The automation adapter (t2v_automation) holds the IDispatch dispatcher here as well.
target_link_libraries(t2v_automation PUBLIC t2v_platform oleaut32 ole32 uuid)

file(GLOB com_srcs CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/plugin/com/*.cpp)
add_library(tarvo2vantra SHARED ${com_srcs} ${gen}/Tarvo2Vantra_i.c
            ${PROJECT_SOURCE_DIR}/src/plugin/com/Tarvo2Vantra.rc
            ${PROJECT_SOURCE_DIR}/src/plugin/com/Tarvo2Vantra.def)
add_dependencies(tarvo2vantra t2v_typelib)
set_target_properties(tarvo2vantra PROPERTIES PREFIX "" OUTPUT_NAME tarvo2vantra
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
target_include_directories(tarvo2vantra PRIVATE ${gen} ${PROJECT_SOURCE_DIR}/src)
set_property(SOURCE ${PROJECT_SOURCE_DIR}/src/plugin/com/Tarvo2Vantra.rc APPEND PROPERTY
  OBJECT_DEPENDS ${gen}/Tarvo2Vantra.tlb)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I ${gen} -I ${PROJECT_SOURCE_DIR}/src/plugin/com")
target_link_libraries(tarvo2vantra PRIVATE t2v_plugin t2v_automation t2v_warnings
  t2v_host_writer
  oleaut32 ole32 uuid shell32 shlwapi comdlg32 comctl32 user32 advapi32 ${T2V_WIN_STATIC})

# Test programs run under Wine by scripts/test-windows.sh.
if(T2V_BUILD_TESTS)
  file(GLOB wintest_srcs CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/windows/*.cpp)
  add_executable(plugin-client ${wintest_srcs} ${gen}/Tarvo2Vantra_i.c)
  add_dependencies(plugin-client t2v_typelib)
  target_include_directories(plugin-client PRIVATE ${gen} ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(plugin-client PRIVATE t2v_automation t2v_platform t2v_warnings
    oleaut32 ole32 uuid user32 gdi32 ${T2V_WIN_STATIC})
endif()
