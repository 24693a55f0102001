# The Windows programs' resources: the icon, the version resource and the manifest (visual
# styles, DPI awareness, no elevation), one generated .rc file per program, filled in from the
# project's one version definition. The file is written in every build (the native build's tests
# compile it too); a Windows build links it into the program with quorvane_windows_resources().

# The version reads "3.00" for 3.0.0 (the minor number in two digits).
if(PROJECT_VERSION_MINOR LESS 10)
  set(QUORVANE_VERSION_SHORT "${PROJECT_VERSION_MAJOR}.0${PROJECT_VERSION_MINOR}")
else()
  set(QUORVANE_VERSION_SHORT "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}")
endif()
set(QUORVANE_ICO_FILE ${CMAKE_SOURCE_DIR}/resources/quorvane.ico)
set(QUORVANE_MANIFEST_FILE ${CMAKE_SOURCE_DIR}/resources/quorvane.manifest)

# Writes generated/<program>.rc; on Windows also compiles it into the target of that name when
# it exists. DESCRIPTION is the file description Explorer shows.
function(quorvane_windows_resources program description)
  set(QUORVANE_RC_PROGRAM ${program})
  set(QUORVANE_RC_DESCRIPTION "${description}")
  set(rc ${CMAKE_BINARY_DIR}/generated/${program}.rc)
  configure_file(${CMAKE_SOURCE_DIR}/resources/quorvane.rc.in ${rc} @ONLY)
  if(WIN32 AND TARGET ${program})
    target_sources(${program} PRIVATE ${rc})
    # windres does not see the files the .rc names: rebuild when they change.
    set_source_files_properties(${rc} PROPERTIES
      OBJECT_DEPENDS "${QUORVANE_ICO_FILE};${QUORVANE_MANIFEST_FILE}")
  endif()
endfunction()

# The window program's resource exists before its target does; app/ adds it to the program.
quorvane_windows_resources(quorvane "Quorvane")
