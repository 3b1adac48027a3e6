# The window icon is drawn by the data generator at build time, at three sizes, and
# compiled into the program.
set(icons ${CMAKE_BINARY_DIR}/icons)
set(qrc ${CMAKE_BINARY_DIR}/window_icons/window_icons.qrc)
set(entries "")
foreach(size 256 64 32)
  string(APPEND entries "    <file alias=\"tumbra_${size}.png\">${icons}/tumbra_${size}.png</file>\n")
endforeach()
file(CONFIGURE OUTPUT ${qrc}
  CONTENT "<RCC>\n  <qresource prefix=\"/icons\">\n${entries}  </qresource>\n</RCC>\n")
qt_add_resources(icon_sources ${qrc})
add_library(tumbra_window_icons OBJECT ${icon_sources})
target_link_libraries(tumbra_window_icons PRIVATE Qt6::Core)
add_dependencies(tumbra_window_icons tumbra_data)
target_link_libraries(tumbra_desktop PRIVATE tumbra_window_icons)
