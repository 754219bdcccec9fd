# Installation as a Linux desktop program and the .deb made from it.
#
#   <prefix>/lib/boletin/boletin        the program
#   <prefix>/lib/boletin/boletin.mdb    its catalogue: the program reads it from
#                                       its own folder, so the two stay together
#   <prefix>/bin/boletin                relative link to the program
#   <prefix>/share/applications, icons/hicolor, metainfo: the desktop's view of it

set(BOLETIN_ID "es.veltra.Boletin")
set(BOLETIN_ESCRITORIO "${PROJECT_SOURCE_DIR}/resources/escritorio")
set(BOLETIN_CARPETA_PROGRAMA "lib/boletin")

set(BOLETIN_CATALOGO "" CACHE FILEPATH
    "Catálogo (boletin.mdb) que se instala; vacío: el de demostración, generado al construir")
set(BOLETIN_ARTICULOS_DEMO 6000 CACHE STRING
    "Artículos del catálogo de demostración; con el número por defecto de crear_coleccion coincide con sus discos")
set(BOLETIN_MANTENEDOR "Equipo del Boletín de VELTRA <boletin@veltra.example>" CACHE STRING
    "Campo Maintainer del paquete .deb")

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

# Part of the default build, because cmake --install builds nothing itself.
add_custom_target(boletin_instalables ALL DEPENDS ${_catalogo} "${_png}")
# Read by the install test, which must find this very file installed.
set_target_properties(boletin_instalables PROPERTIES BOLETIN_CATALOGO "${_catalogo}")

# Before copying anything: a clear word instead of "cannot find" when only the
# program was built.
install(CODE "
    foreach(f \"${_catalogo}\" \"${_png}\")
        if(f AND NOT EXISTS \"\${f}\")
            message(FATAL_ERROR \"Falta \${f}: construya antes el objetivo boletin_instalables (o todo).\")
        endif()
    endforeach()" COMPONENT programa)

# Relative paths throughout, so that CPack can stage the same rules under /usr.
install(TARGETS boletin RUNTIME DESTINATION ${BOLETIN_CARPETA_PROGRAMA} COMPONENT programa)

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
install(FILES "${BOLETIN_ESCRITORIO}/${BOLETIN_ID}.metainfo.xml"
        DESTINATION share/metainfo COMPONENT programa)
install(FILES "${PROJECT_SOURCE_DIR}/resources/imagenes/icono.svg"
        DESTINATION share/icons/hicolor/scalable/apps RENAME ${BOLETIN_ID}.svg
        COMPONENT programa)
install(FILES "${_png}"
        DESTINATION share/icons/hicolor/256x256/apps RENAME ${BOLETIN_ID}.png
        COMPONENT programa)

# --- The .deb -------------------------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME boletin)
set(CPACK_PACKAGE_VENDOR "VELTRA")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
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
