# SPDX-License-Identifier: GPL-3.0-or-later
# Installation as a Linux desktop program and the .deb made from it.
#
#   <prefix>/lib/boletin/boletin        the program
#   <prefix>/lib/boletin/boletin-jet    its Jet (.mdb) reading process
#   <prefix>/lib/boletin/boletin.mdb    its catalogue: the program reads it from
#                                       its own folder, so the two stay together
#   <prefix>/bin/boletin                relative link to the program
#   <prefix>/share/applications, icons/hicolor, metainfo: the desktop's view of it
#   <prefix>/share/man/man1, man/es/man1: the manual pages, English and Spanish
#   <prefix>/share/doc/boletin: copyright and changelog, as Debian lays them out

set(BOLETIN_ID "es.veltra.Boletin")
set(BOLETIN_ESCRITORIO "${PROJECT_SOURCE_DIR}/resources/escritorio")
set(BOLETIN_CARPETA_PROGRAMA "lib/boletin")

set(BOLETIN_CATALOGO "" CACHE FILEPATH
    "Catálogo (boletin.mdb) que se instala; vacío: el de demostración, generado al construir")
set(BOLETIN_ARTICULOS_DEMO 6000 CACHE STRING
    "Artículos del catálogo de demostración; con el número por defecto de crear_coleccion coincide con sus discos")
set(BOLETIN_MANTENEDOR "Equipo del Boletín de VELTRA <boletin@veltra.example>" CACHE STRING
    "Campo Maintainer del paquete .deb")
set(BOLETIN_CATALOGO_COPYRIGHT "" CACHE FILEPATH
    "Párrafos (formato de copyright de Debian) sobre el BOLETIN_CATALOGO que se instala")
set(BOLETIN_TITULAR "VELTRA")

# --- The catalogue ------------------------------------------------------------
set(_catalogo "")
if(BOLETIN_CATALOGO)
    if(NOT EXISTS "${BOLETIN_CATALOGO}")
        message(FATAL_ERROR "BOLETIN_CATALOGO: no existe el archivo ${BOLETIN_CATALOGO}")
    endif()
    set(_catalogo "${BOLETIN_CATALOGO}")
elseif(TARGET crear_coleccion)
    # --sin-pdf: the discs carry the documents; only the catalogue is installed.
    set(_demo "${CMAKE_BINARY_DIR}/catalogo-demo")
    set(_catalogo "${_demo}/boletin.mdb")
    add_custom_command(
        OUTPUT "${_catalogo}"
        COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
                $<TARGET_FILE:crear_coleccion> --destino "${_demo}"
                --articulos ${BOLETIN_ARTICULOS_DEMO} --sin-pdf
        DEPENDS crear_coleccion
        COMMENT "Generando el catálogo de demostración (${BOLETIN_ARTICULOS_DEMO} artículos)"
        VERBATIM)
else()
    message(WARNING "No hay objetivo crear_coleccion ni BOLETIN_CATALOGO: "
                    "se instala el programa sin catálogo.")
endif()

# --- The icon at 256 px ---------------------------------------------------------
find_program(BOLETIN_RSVG_CONVERT rsvg-convert)
if(BOLETIN_RSVG_CONVERT)
    set(_png "${CMAKE_BINARY_DIR}/escritorio/${BOLETIN_ID}.png")
    add_custom_command(
        OUTPUT "${_png}"
        COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_BINARY_DIR}/escritorio"
        COMMAND ${BOLETIN_RSVG_CONVERT} --width 256 --height 256
                --output "${_png}" "${PROJECT_SOURCE_DIR}/resources/imagenes/icono.svg"
        DEPENDS "${PROJECT_SOURCE_DIR}/resources/imagenes/icono.svg"
        COMMENT "Dibujando el icono de 256 px"
        VERBATIM)
else()
    # A copy rendered once, for machines without librsvg2-bin.
    set(_png "${BOLETIN_ESCRITORIO}/icono-256.png")
endif()

# --- The release built for ---------------------------------------------------
# A package holds only on the release whose libraries it was linked against, so
# its version names that release: 1.0.0-1~deb12, 1.0.0-1~deb13.
cmake_host_system_information(RESULT _sistema QUERY DISTRIB_ID)
cmake_host_system_information(RESULT _version_sistema QUERY DISTRIB_VERSION_ID)
set(BOLETIN_REVISION 1)
if(_sistema STREQUAL "debian" AND _version_sistema MATCHES "^[0-9]+$")
    string(APPEND BOLETIN_REVISION "~deb${_version_sistema}")
elseif(_sistema STREQUAL "ubuntu" AND _version_sistema MATCHES "^[0-9.]+$")
    string(APPEND BOLETIN_REVISION "~ubuntu${_version_sistema}")
endif()
set(BOLETIN_VERSION_PAQUETE "${PROJECT_VERSION}-${BOLETIN_REVISION}")
cmake_host_system_information(RESULT BOLETIN_DISTRIBUCION QUERY DISTRIB_VERSION_CODENAME)
if(NOT BOLETIN_DISTRIBUCION)
    set(BOLETIN_DISTRIBUCION unstable)
endif()

# AppStream before 1.0 (Debian 12) reads only <developer_name>; 1.0 deprecates it
# for <developer>, which 0.16 does not know.
set(BOLETIN_DESARROLLADOR
    "<developer id=\"example.veltra\">\n    <name>${BOLETIN_TITULAR}</name>\n  </developer>")
find_program(BOLETIN_APPSTREAMCLI appstreamcli)
if(BOLETIN_APPSTREAMCLI)
    execute_process(COMMAND "${BOLETIN_APPSTREAMCLI}" --version
                    OUTPUT_VARIABLE _appstream OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(_appstream MATCHES "([0-9]+\\.[0-9.]+)" AND CMAKE_MATCH_1 VERSION_LESS 1.0)
        set(BOLETIN_DESARROLLADOR "<developer_name>${BOLETIN_TITULAR}</developer_name>")
    endif()
endif()

# --- Files that carry the version ---------------------------------------------
# The release date in the changelog's form (RFC 5322, English day and month).
execute_process(COMMAND date -u -R -d "${BOLETIN_FECHA} 12:00:00"
                OUTPUT_VARIABLE BOLETIN_FECHA_DEBIAN OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
set(_metainfo "${CMAKE_BINARY_DIR}/escritorio/${BOLETIN_ID}.metainfo.xml")
configure_file("${BOLETIN_ESCRITORIO}/${BOLETIN_ID}.metainfo.xml.in" "${_metainfo}" @ONLY)

# The copyright's years: from the first release's to this one's.
string(SUBSTRING "${BOLETIN_FECHA}" 0 4 _ano)
set(BOLETIN_ANOS 2026)
if(NOT _ano STREQUAL BOLETIN_ANOS)
    string(APPEND BOLETIN_ANOS "-${_ano}")
endif()
# The demo catalogue comes from tools/crear_coleccion and its own word lists, so
# the one stanza covers it; a real collection's catalogue has terms of its own.
if(BOLETIN_CATALOGO)
    if(BOLETIN_CATALOGO_COPYRIGHT)
        file(READ "${BOLETIN_CATALOGO_COPYRIGHT}" _parrafos)
        set(BOLETIN_COPYRIGHT_CATALOGO "\n${_parrafos}")
        set(BOLETIN_COMENTARIO_CATALOGO "\n The catalogue, usr/lib/boletin/boletin.mdb, is the collection's own:\n see its stanza.")
    else()
        message(WARNING "BOLETIN_CATALOGO sin BOLETIN_CATALOGO_COPYRIGHT: el archivo "
                        "copyright del paquete no dirá en qué términos se distribuye el catálogo.")
        set(BOLETIN_COMENTARIO_CATALOGO "\n The catalogue, usr/lib/boletin/boletin.mdb, is the collection's own\n and is not covered by this file.")
    endif()
else()
    set(BOLETIN_COMENTARIO_CATALOGO "\n The program, its pictures and its icons are the project's work, and so is\n the demo catalogue installed as usr/lib/boletin/boletin.mdb, which the\n project's demo-collection maker writes at build time from its own word lists.")
endif()
set(_doc "${CMAKE_BINARY_DIR}/doc")
configure_file("${PROJECT_SOURCE_DIR}/resources/paquete/copyright.in" "${_doc}/copyright" @ONLY)
# With a Debian revision in its version the package is not native, and its
# changelog is changelog.Debian.
configure_file("${PROJECT_SOURCE_DIR}/resources/paquete/changelog.in" "${_doc}/changelog.Debian" @ONLY)
configure_file("${PROJECT_SOURCE_DIR}/man/boletin.1.in" "${_doc}/man/boletin.1" @ONLY)
configure_file("${PROJECT_SOURCE_DIR}/man/es/boletin.1.in" "${_doc}/man/es/boletin.1" @ONLY)

# gzip -9n: the best compression and no name or time stamp, as Debian wants.
find_program(BOLETIN_GZIP gzip REQUIRED)
set(_comprimidos "")
foreach(f changelog.Debian man/boletin.1 man/es/boletin.1)
    add_custom_command(
        OUTPUT "${_doc}/${f}.gz"
        COMMAND ${BOLETIN_GZIP} -9nkf "${_doc}/${f}"
        DEPENDS "${_doc}/${f}"
        VERBATIM)
    list(APPEND _comprimidos "${_doc}/${f}.gz")
endforeach()

# Part of the default build, because cmake --install builds nothing itself.
add_custom_target(boletin_instalables ALL DEPENDS ${_catalogo} "${_png}" ${_comprimidos})
# Read by the install tests, which must find these very files installed.
set_target_properties(boletin_instalables PROPERTIES
    BOLETIN_CATALOGO "${_catalogo}" BOLETIN_METAINFO "${_metainfo}")

# Before copying anything: a clear word instead of "cannot find" when only the
# program was built.
install(CODE "
    foreach(f \"${_catalogo}\" \"${_png}\" \"${_doc}/changelog.Debian.gz\")
        if(f AND NOT EXISTS \"\${f}\")
            message(FATAL_ERROR \"Falta \${f}: construya antes el objetivo boletin_instalables (o todo).\")
        endif()
    endforeach()" COMPONENT programa)

# Relative paths throughout, so that CPack can stage the same rules under /usr.
install(TARGETS boletin RUNTIME DESTINATION ${BOLETIN_CARPETA_PROGRAMA} COMPONENT programa)
# The Jet reading process: the program starts it from its own folder, so the
# two are built and installed together.
add_dependencies(boletin boletin-jet)
install(TARGETS boletin-jet RUNTIME DESTINATION ${BOLETIN_CARPETA_PROGRAMA} COMPONENT programa)

if(_catalogo)
    install(FILES "${_catalogo}" DESTINATION ${BOLETIN_CARPETA_PROGRAMA}
            RENAME boletin.mdb COMPONENT programa)
endif()

# file(INSTALL) copies a symbolic link as a link, so one made here lands as is.
set(_enlace "${CMAKE_BINARY_DIR}/escritorio/bin/boletin")
file(MAKE_DIRECTORY "${CMAKE_BINARY_DIR}/escritorio/bin")
file(CREATE_LINK "../${BOLETIN_CARPETA_PROGRAMA}/boletin" "${_enlace}" SYMBOLIC)
install(FILES "${_enlace}" DESTINATION bin COMPONENT programa)

install(FILES "${BOLETIN_ESCRITORIO}/${BOLETIN_ID}.desktop"
        DESTINATION share/applications COMPONENT programa)
install(FILES "${_metainfo}" DESTINATION share/metainfo COMPONENT programa)
install(FILES "${PROJECT_SOURCE_DIR}/resources/imagenes/icono.svg"
        DESTINATION share/icons/hicolor/scalable/apps RENAME ${BOLETIN_ID}.svg
        COMPONENT programa)
install(FILES "${_png}"
        DESTINATION share/icons/hicolor/256x256/apps RENAME ${BOLETIN_ID}.png
        COMPONENT programa)

install(FILES "${_doc}/man/boletin.1.gz" DESTINATION share/man/man1 COMPONENT programa)
install(FILES "${_doc}/man/es/boletin.1.gz" DESTINATION share/man/es/man1 COMPONENT programa)
install(FILES "${_doc}/copyright" "${_doc}/changelog.Debian.gz" DESTINATION share/doc/boletin
        COMPONENT programa)
install(FILES "${PROJECT_SOURCE_DIR}/resources/paquete/lintian-overrides"
        DESTINATION share/lintian/overrides RENAME boletin COMPONENT programa)

# Last, so that it finds every program installed in the folder. When stripping
# (as CPack does), also drop what Debian's strip drops: the compilers' notes in
# .comment and .note.
install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
        file(GLOB archivos \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${BOLETIN_CARPETA_PROGRAMA}/*\")
        foreach(f \${archivos})
            file(READ \"\${f}\" firma LIMIT 4 HEX)
            if(firma STREQUAL \"7f454c46\")
                execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment
                                        --remove-section=.note \"\${f}\"
                                COMMAND_ERROR_IS_FATAL ANY)
            endif()
        endforeach()
    endif()" COMPONENT programa)

# --- The .deb -------------------------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME boletin)
set(CPACK_PACKAGE_VENDOR "${BOLETIN_TITULAR}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE ${BOLETIN_REVISION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# One package holding only the "programa" component: an install rule added for
# a tool elsewhere stays out of it.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};programa;/")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "catálogo y lector del Boletín de VELTRA / VELTRA Bulletin catalogue and reader")
# Wrapped by hand: CPack indents each line for the control file but does not wrap.
set(CPACK_PACKAGE_DESCRIPTION
"Busque artículos de los números del Boletín de VELTRA publicados entre 1950
y 2000 por título, autor, materia o fecha, y léalos en PDF desde los discos
de la colección o desde una carpeta con su contenido. Incluye el catálogo de
la colección.

Search the articles of the VELTRA Bulletin issues published from 1950 to
2000 by title, author, subject or date, and read them as PDF from the
collection's discs or from a folder holding their contents. The collection's
catalogue is included.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${BOLETIN_MANTENEDOR}")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the linker cannot see: the X11/Wayland platform plugins (only recommended by
# libqt6gui6) and Qt's Spanish translation, which gives the message boxes their
# "Aceptar" and "Cancelar".
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n")
# xdg-open shows the collection's information page; the document pane's bar takes
# its icons from the desktop's theme, Adwaita where there is none (text without).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, adwaita-icon-theme")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
