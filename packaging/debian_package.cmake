# The Debian package: `cpack -G DEB` in a build folder, or ./package.sh.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tumbra)
set(CPACK_PACKAGE_VENDOR "The Tumbra developers")
set(CPACK_PACKAGE_CONTACT "The Tumbra developers <developers@tumbra.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "cup toss game played across a table")
# One paragraph, its lines kept short as the control file wants them.
set(CPACK_PACKAGE_DESCRIPTION
"Tumbra is the party game of the cup toss: two triangles of fifteen cups at
the ends of a table and a ping-pong ball. Slide the direction arrow, stop the
rising and falling power meter at the right moment, and land the ball in a
cup. Every cup hit is a drink for its owner, and the more a player has drunk,
the more his throws wobble. Play against the computer or against a friend at
the same keyboard.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from dpkg-shlibdeps; the dialogs ask for DejaVu Sans by name, which
# no library pulls in.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
set(CPACK_STRIP_FILES ON)
include(CPack)
