# tumbra-server in the package: the program in bin/ and its systemd unit, which runs it as
# a user of its own with its state in /var/lib/tumbra-server. The package neither enables
# nor starts it; the admin does, when he wants a server.
install(TARGETS tumbra-server RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/tumbra-server.service DESTINATION lib/systemd/system)
