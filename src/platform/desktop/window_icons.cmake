# The window icon is drawn by the data generator at build time, at three sizes, and
# compiled into the program. The generator's folder is read after this one, so whether
# it exists is known only at the end of the top folder: this runs there.
function(tumbra_embed_window_icons)
  if(NOT TARGET tumbra_desktop OR NOT TARGET tumbra_data)
    return()
  endif()
  set(icons ${CMAKE_BINARY_DIR}/icons)
  set(qrc ${CMAKE_BINARY_DIR}/window_icons/window_icons.qrc)
  set(entries "")
  foreach(size 256 64 32)
    set(png ${icons}/tumbra_${size}.png)
    set_source_files_properties(${png} PROPERTIES GENERATED TRUE)
    string(APPEND entries "    <file alias=\"tumbra_${size}.png\">${png}</file>\n")
  endforeach()
  file(CONFIGURE OUTPUT ${qrc}
    CONTENT "<RCC>\n  <qresource prefix=\"/icons\">\n${entries}  </qresource>\n</RCC>\n")
  qt_add_resources(icon_sources ${qrc})
  add_library(tumbra_window_icons OBJECT ${icon_sources})
  target_link_libraries(tumbra_window_icons PRIVATE Qt6::Core)
  add_dependencies(tumbra_window_icons tumbra_data)
  target_link_libraries(tumbra_desktop PRIVATE tumbra_window_icons)
  target_compile_definitions(tumbra_desktop PRIVATE TUMBRA_WINDOW_ICONS)
endfunction()
