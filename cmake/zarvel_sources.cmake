# Source sets by folder convention, so a new component is just a new file:
# game/<area>/*.cpp is portable; game/<area>/host/, game/<area>/win32/,
# game/<area>/sdl2/ and game/<area>/web/ hold the adaptors of that area's ports.
function(zarvel_portable_sources out root)
  file(GLOB_RECURSE found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${root}/*.cpp)
  list(FILTER found EXCLUDE REGEX "/(host|win32|sdl2|web)/")
  set(${out} ${found} PARENT_SCOPE)
endfunction()

function(zarvel_adaptor_sources out root kind)
  file(GLOB_RECURSE found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${root}/*.cpp)
  list(FILTER found INCLUDE REGEX "/${kind}/[^/]+\\.cpp$")
  set(${out} ${found} PARENT_SCOPE)
endfunction()
