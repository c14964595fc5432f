# The resources every Windows binary of the project carries.
#
# vesperin_add_program_resources(target [DESCRIPTION text])
#   A version resource from the project version, for programs and libraries.
#   Programs also get the application manifest (common controls version 6,
#   the Windows versions they were tested on, asInvoker) and the icon, as
#   icon resource 1 (LoadIconA(instance, MAKEINTRESOURCEA(1))). Calling it
#   twice for one target adds them once.
# vesperin_add_program_icon(target)
#   The program's icon alone, for a test program that checks the windows
#   show it.
if(NOT WIN32)
  function(vesperin_add_program_resources target)
  endfunction()
  function(vesperin_add_program_icon target)
  endfunction()
  return()
endif()

enable_language(RC)

set(VESPERIN_RESOURCES_DIR ${PROJECT_SOURCE_DIR}/app/resources)
set(VESPERIN_ICON ${PROJECT_BINARY_DIR}/resources/vesperin.ico)

# The icon is the panel's clock face, cut to its outline (the magenta of the
# bottom-left pixel) and scaled to the three sizes Windows asks for.
find_program(VESPERIN_CONVERT convert REQUIRED)
set(vesperin_icon_source ${PROJECT_SOURCE_DIR}/app/artwork/images/frmVesperin/imgBg.png)
add_custom_command(OUTPUT ${VESPERIN_ICON}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/resources
  COMMAND ${VESPERIN_CONVERT} ${vesperin_icon_source} -transparent "#FF00FF"
    -define icon:auto-resize=48,32,16 ${VESPERIN_ICON}
  DEPENDS ${vesperin_icon_source}
  COMMENT "Making the program icon"
  VERBATIM)
add_custom_target(vesperin_icon DEPENDS ${VESPERIN_ICON})

function(vesperin_add_program_resources target)
  cmake_parse_arguments(arg "" "DESCRIPTION" "" ${ARGN})
  get_target_property(done ${target} VESPERIN_RESOURCES)
  if(done)
    return()
  endif()
  set_target_properties(${target} PROPERTIES VESPERIN_RESOURCES ON)

  get_target_property(type ${target} TYPE)
  get_target_property(output_name ${target} OUTPUT_NAME)
  if(NOT output_name)
    set(output_name ${target})
  endif()
  if(type STREQUAL "EXECUTABLE")
    set(suffix .exe)
    set(VESPERIN_RESOURCE_TYPE VFT_APP)
  else()
    set(suffix .dll)
    set(VESPERIN_RESOURCE_TYPE VFT_DLL)
  endif()
  set(VESPERIN_RESOURCE_NAME ${output_name})
  set(VESPERIN_RESOURCE_FILE ${output_name}${suffix})
  set(VESPERIN_RESOURCE_DESCRIPTION "${arg_DESCRIPTION}")
  if(NOT VESPERIN_RESOURCE_DESCRIPTION)
    set(VESPERIN_RESOURCE_DESCRIPTION "Vesperin ${output_name}")
  endif()
  set(major ${PROJECT_VERSION_MAJOR})
  set(minor ${PROJECT_VERSION_MINOR})
  set(patch ${PROJECT_VERSION_PATCH})
  set(tweak ${PROJECT_VERSION_TWEAK})
  foreach(part minor patch tweak)
    if("${${part}}" STREQUAL "")
      set(${part} 0)
    endif()
  endforeach()
  set(VESPERIN_VERSION_QUAD "${major},${minor},${patch},${tweak}")
  set(VESPERIN_VERSION_QUAD_DOTS "${major}.${minor}.${patch}.${tweak}")

  set(dir ${PROJECT_BINARY_DIR}/resources/${target})
  set(depends)
  set(VESPERIN_RESOURCE_EXTRA "")
  if(type STREQUAL "EXECUTABLE")
    configure_file(${VESPERIN_RESOURCES_DIR}/vesperin.manifest.in ${dir}/${output_name}.manifest @ONLY)
    # 1 RT_MANIFEST (24): the manifest of a program; 1 ICON: its icon.
    set(VESPERIN_RESOURCE_EXTRA "1 24 \"${dir}/${output_name}.manifest\"\n1 ICON \"${VESPERIN_ICON}\"\n")
    list(APPEND depends ${dir}/${output_name}.manifest ${VESPERIN_ICON})
    add_dependencies(${target} vesperin_icon)
  endif()
  configure_file(${VESPERIN_RESOURCES_DIR}/program.rc.in ${dir}/resources.rc @ONLY)
  set_source_files_properties(${dir}/resources.rc TARGET_DIRECTORY ${target}
    PROPERTIES OBJECT_DEPENDS "${depends}")
  target_sources(${target} PRIVATE ${dir}/resources.rc)
endfunction()

function(vesperin_add_program_icon target)
  set(rc ${PROJECT_BINARY_DIR}/resources/${target}/icon.rc)
  file(CONFIGURE OUTPUT ${rc} CONTENT "1 ICON \"${VESPERIN_ICON}\"\n")
  set_source_files_properties(${rc} TARGET_DIRECTORY ${target}
    PROPERTIES OBJECT_DEPENDS ${VESPERIN_ICON})
  target_sources(${target} PRIVATE ${rc})
  add_dependencies(${target} vesperin_icon)
endfunction()
