# Cross-compiles the launcher's Windows services with MinGW and links them, with the program's
# icon and version resource, into a small Windows program; then checks that the program imports
# the registry functions and that the resource carries the version.
#
# Called by CTest with -DCXX=... -DWINDRES=... -DOBJDUMP=... -DSOURCE_DIR=... -DRC_FILE=...
# -DOUT_DIR=...; prints "SKIPPED:" when the cross compiler is not installed.

if(NOT CXX OR NOT EXISTS "${CXX}" OR NOT WINDRES OR NOT EXISTS "${WINDRES}")
  message("SKIPPED: the MinGW cross compiler (g++-mingw-w64-x86-64) is not installed")
  return()
endif()

file(REMOVE_RECURSE "${OUT_DIR}")
file(MAKE_DIRECTORY "${OUT_DIR}")

function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${what} failed (${result}):\n${out}${err}")
  endif()
  if(NOT err STREQUAL "")
    message(FATAL_ERROR "${what} printed warnings:\n${err}")
  endif()
  set(run_output "${out}" PARENT_SCOPE)
endfunction()

run("windres" "${WINDRES}" -O coff -i "${RC_FILE}" -o "${OUT_DIR}/quorvane_rc.o")
run("MinGW g++" "${CXX}" -std=c++20 -Wall -Wextra -Werror -O1 -I "${SOURCE_DIR}"
  "${SOURCE_DIR}/about/sysinfo_launcher.cpp"
  "${SOURCE_DIR}/about/sysinfo_win32.cpp"
  "${SOURCE_DIR}/tests/about/windows_sysinfo_probe.cpp"
  "${OUT_DIR}/quorvane_rc.o"
  -o "${OUT_DIR}/sysinfo_probe.exe" -ladvapi32 -luser32)

if(OBJDUMP AND EXISTS "${OBJDUMP}")
  run("objdump" "${OBJDUMP}" -p "${OUT_DIR}/sysinfo_probe.exe")
  foreach(function RegOpenKeyExA RegQueryValueExA RegCloseKey CreateProcessA FindFirstFileA)
    if(NOT run_output MATCHES "${function}")
      message(FATAL_ERROR "sysinfo_probe.exe does not import ${function}")
    endif()
  endforeach()
endif()

# The resource as the Windows build sees it, read back from the compiled object.
run("windres (read back)" "${WINDRES}" -J coff -O rc -i "${OUT_DIR}/quorvane_rc.o")
foreach(expected "FILEVERSION 3, 0, 0, 0" "PRODUCTVERSION 3, 0, 0, 0"
                 "VALUE \"FileVersion\", \"3.00\"" "VALUE \"ProductVersion\", \"3.00\"")
  string(REPLACE " " "[ \t]*" pattern "${expected}")
  string(REPLACE "." "\\." pattern "${pattern}")
  if(NOT run_output MATCHES "${pattern}")
    message(FATAL_ERROR "the version resource lacks ${expected}:\n${run_output}")
  endif()
endforeach()
if(NOT run_output MATCHES "ICON")
  message(FATAL_ERROR "the version resource lacks the program's icon:\n${run_output}")
endif()
message("Windows launcher and resource built: ${OUT_DIR}/sysinfo_probe.exe")
