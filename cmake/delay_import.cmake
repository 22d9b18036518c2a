# Delay-import libraries for MinGW: a DLL named in one is loaded on the first call of one of its
# functions (through __delayLoadHelper2 in the MinGW runtime), not when the program starts.
#   vondrel_delay_import(TARGET DLL FUNCTION@STACKBYTES...)
# makes the imported library TARGET for DLL with exactly the FUNCTIONs listed (the stack bytes
# name the 32-bit stdcall symbols; a function the program calls but the list lacks fails to link).
function(vondrel_delay_import target dll)
  set(def "${CMAKE_CURRENT_BINARY_DIR}/${target}.def")
  set(lib "${CMAKE_CURRENT_BINARY_DIR}/lib${target}.a")
  set(text "LIBRARY ${dll}\nEXPORTS\n")
  foreach(function IN LISTS ARGN)
    if(NOT CMAKE_SIZEOF_VOID_P EQUAL 4)
      string(REGEX REPLACE "@[0-9]+$" "" function "${function}")
    endif()
    string(APPEND text "  ${function}\n")
  endforeach()
  file(CONFIGURE OUTPUT "${def}" CONTENT "${text}" @ONLY)
  set(kill_at "")
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(kill_at --kill-at)
  endif()
  add_custom_command(OUTPUT "${lib}"
    COMMAND ${CMAKE_DLLTOOL} --input-def "${def}" --dllname ${dll} ${kill_at} --output-delaylib "${lib}"
    DEPENDS "${def}" VERBATIM)
  add_custom_target(${target}_delaylib DEPENDS "${lib}")
  add_library(${target} INTERFACE)
  add_dependencies(${target} ${target}_delaylib)
  target_link_libraries(${target} INTERFACE "${lib}")
endfunction()
