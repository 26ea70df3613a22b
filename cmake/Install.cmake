# Installation and the Debian package.
#
# cmake --install puts the programs in bin/, what the editor ships with (the project templates,
# the runtime package) in share/tessaly/, the manual in share/doc/tessaly/manual/, and the desktop
# entry, icons, AppStream metadata and the project file type where the desktop looks for them. The
# programs find the first two from their own folder (core/InstallLayout.h), so the tree works
# under any prefix. CPack makes the .deb of that tree (tools/package.sh).

include(GNUInstallDirs)

# The install step does not build: build first (tools/package.sh builds what the package holds).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
# Released with this version; also the date of the AppStream release entry.
set(TESS_RELEASE_DATE 2026-12-09)

set(app_build ${CMAKE_BINARY_DIR}/app)
set(data_dir share/tessaly)

install(TARGETS tessaly tessaly-cli tess-rt RUNTIME DESTINATION bin)
# The runtime template becomes each new project's runtime, which is started: it stays executable.
install(PROGRAMS ${app_build}/TESS_RT.exe.dat DESTINATION ${data_dir})
install(FILES ${app_build}/TESS_RT.ldb.dat DESTINATION ${data_dir})
# The runtime package is copied into every game disk: its files keep their modes.
install(DIRECTORY ${app_build}/RTP DESTINATION ${data_dir})
# The game disk's installer files, where a build provides them.
foreach(name Setup.exe.dat UNLHA32.DLL UNLHA32.TXT)
  install(FILES ${app_build}/${name} DESTINATION ${data_dir} OPTIONAL)
endforeach()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/manual/ DESTINATION share/doc/tessaly/manual)

set(desktop_source ${PROJECT_SOURCE_DIR}/desktop)
set(app_id org.tessaly.Tessaly)
configure_file(${desktop_source}/${app_id}.metainfo.xml ${CMAKE_BINARY_DIR}/desktop/${app_id}.metainfo.xml @ONLY)
install(FILES ${desktop_source}/${app_id}.desktop DESTINATION share/applications)
install(FILES ${CMAKE_BINARY_DIR}/desktop/${app_id}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${desktop_source}/${app_id}.mime.xml DESTINATION share/mime/packages RENAME ${app_id}.xml)
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/hicolor DESTINATION share/icons)

# What the installed tree is made of, for building only that.
add_custom_target(installed_parts DEPENDS tessaly tessaly-cli tess-rt project_templates runtime_package app_icons)

# The Debian package. Its library dependencies come from dpkg-shlibdeps; what the programs load
# at run time without linking it is named here: Qt's platform plugins (the window system and the
# offscreen platform) and a General MIDI SoundFont for FluidSynth.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tessaly)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Velmont")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor of tile-based role-playing games")
set(CPACK_PACKAGE_DESCRIPTION
    "Tessaly is a desktop editor for two-dimensional, tile-based role-playing games: maps on tile
layers with autotiles, events and their scripts, the game database, pictures and sounds, game
disks and test play in a game runtime. Every file it writes stays byte-compatible with projects
made elsewhere.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Tessaly developers <tessaly@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, timgm6mb-soundfont | fluid-soundfont-gm")
# Richer General MIDI sound; wine starts a project's Windows runtime for test play.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fluid-soundfont-gm")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "wine")
include(CPack)
