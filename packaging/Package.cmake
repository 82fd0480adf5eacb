# The Debian package: `make package` builds build/stacklume_<version>_<arch>.deb with CPack.
# Its files are the install rules of the component "system", which a plain `cmake --install`
# leaves out: that one keeps making the portable folder.
set(STACKLUME_RELEASE_DATE 2026-12-09)
set(app_id org.stacklume.Stacklume)
set(sources ${PROJECT_SOURCE_DIR}/packaging)
set(generated ${PROJECT_BINARY_DIR}/packaging)
execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE deb_architecture
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
set(STACKLUME_DEB ${PROJECT_BINARY_DIR}/stacklume_${PROJECT_VERSION}_${deb_architecture}.deb)

configure_file(${sources}/${app_id}.metainfo.xml.in ${generated}/${app_id}.metainfo.xml @ONLY)
configure_file(${sources}/stacklume.6.in ${generated}/stacklume.6 @ONLY)
configure_file(${sources}/changelog ${generated}/changelog COPYONLY)
# Compressed as Debian's policy asks: at the best level, without the file's name and time inside.
add_custom_command(OUTPUT ${generated}/stacklume.6.gz ${generated}/changelog.gz
  COMMAND gzip -9nkf stacklume.6 changelog
  DEPENDS ${generated}/stacklume.6 ${generated}/changelog
  WORKING_DIRECTORY ${generated} VERBATIM)
add_custom_target(stacklume_manual ALL DEPENDS ${generated}/stacklume.6.gz ${generated}/changelog.gz)

set(system COMPONENT system EXCLUDE_FROM_ALL)
install(TARGETS stacklume RUNTIME DESTINATION games ${system})
# CPack strips the program; the sections dh_strip also drops go as well.
install(CODE "execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
                                      \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/games/stacklume\"
                              COMMAND_ERROR_IS_FATAL ANY)" ${system})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/ DESTINATION share/games/stacklume ${system})
install(FILES ${sources}/${app_id}.desktop DESTINATION share/applications ${system})
install(FILES ${generated}/${app_id}.metainfo.xml DESTINATION share/metainfo ${system})
install(FILES ${PROJECT_SOURCE_DIR}/app/icons/stacklume.svg DESTINATION share/icons/hicolor/scalable/apps
        RENAME ${app_id}.svg ${system})
foreach(size 16 32 48 64 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/app/icons/stacklume-${size}.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME ${app_id}.png ${system})
endforeach()
install(FILES ${generated}/stacklume.6.gz DESTINATION share/man/man6 ${system})
install(FILES ${sources}/copyright ${generated}/changelog.gz DESTINATION share/doc/stacklume ${system})

set(CPACK_GENERATOR DEB)
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};Stacklume;system;/")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
    WORLD_READ WORLD_EXECUTE)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_NAME stacklume)
set(CPACK_PACKAGE_CONTACT "The Stacklume developers <developers@stacklume.org>")
set(CPACK_DEBIAN_FILE_NAME stacklume_${PROJECT_VERSION}_${deb_architecture}.deb)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${deb_architecture})
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://stacklume.org/)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "falling-block puzzle game with pieces of your own drawing
Pieces fall into a well twelve columns wide. Shift and turn them with the
keyboard or a gamepad, fill rows to clear them, and score more the higher a
row stands.

Besides the eight built-in pieces you can draw four pieces of your own. The
game keeps your ten best scores, shows your own pictures behind the well and
plays short sound effects.")
# The libraries come from the program itself (libcanberra among them, with its ALSA output);
# Qt's window-system plugins and SDL, for the gamepads, are loaded at run time, where
# dpkg-shlibdeps cannot see them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libsdl2-2.0-0 (>= 2.0.12)")
# libcanberra's way to the desktop's sound server, PulseAudio or PipeWire's: the sounds are then
# played from the server's cache, with no stream open between them. Without it they go straight
# to ALSA, which a desktop's server may hold. With Qt's Wayland plugin the game runs natively on a
# Wayland desktop, sharp at the desktop's scale; without it, through XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libcanberra-pulse, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
