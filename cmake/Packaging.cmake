# The Debian package: `cpack -G DEB` in a build folder makes
# strumvale_VERSION_ARCH.deb of everything the install rules put under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME strumvale)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Strumvale project")
set(CPACK_PACKAGE_CONTACT "The Strumvale project <support@strumvale.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "guitar chord reference and trainer")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://strumvale.example.org/")
# The summary above heads the package's description; this is its body.
set(CPACK_PACKAGE_DESCRIPTION "Strumvale opens chord libraries (chordfiles), shows each fingering of
a chord on a drawn fretboard with the notes it sounds, finds chords by name
or fingering, shows scales in any key and tuning, strums chords and plays
drum patterns through MIDI, plays reference notes for tuning by ear, edits
chords, scales, tunings and drum patterns, and builds playlists shown as
tablature. Every caption can be translated; a Swedish translation is
included.")
# The libraries it links, found by dpkg-shlibdeps, and the sound font its
# built-in synthesizer plays, which no library names.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fluid-soundfont-gm")

include(CPack)
