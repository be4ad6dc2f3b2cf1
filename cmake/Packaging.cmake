# Installs the program as a desktop program: the executable, its menu entry, its icon and its
# AppStream metadata in the standard places under the prefix, and packs them into a .deb.

include(GNUInstallDirs)

# The desktop's name for the program, in reverse-DNS form as AppStream asks: the menu entry and
# the metadata are named after it, and the program tells it to the desktop (main.cpp).
set(QINGFENG_APP_ID cn.qingfeng.calculator)
set(QINGFENG_ICON_NAME qingfeng-calculator)
set(QINGFENG_ICON_SIZES 16 24 32 48 64 128 256)
set(picture ${PROJECT_SOURCE_DIR}/data/icons/${QINGFENG_ICON_NAME}.svg)

target_compile_definitions(qingfeng-calculator PRIVATE QINGFENG_APP_ID="${QINGFENG_APP_ID}")
install(TARGETS qingfeng-calculator RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${PROJECT_SOURCE_DIR}/data/qingfeng-calculator.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications RENAME ${QINGFENG_APP_ID}.desktop)

# The licence goes with every copy of the program, as the licence itself asks.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/qingfeng-calculator)

configure_file(${PROJECT_SOURCE_DIR}/data/qingfeng-calculator.metainfo.xml.in
    ${PROJECT_BINARY_DIR}/${QINGFENG_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/${QINGFENG_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The icon theme asks for a scalable picture plus fixed sizes (48 at least) for menus and
# panels that draw no SVG; the sizes are rendered from the one picture at build time.
install(FILES ${picture} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
add_executable(qingfeng-render-icon ${PROJECT_SOURCE_DIR}/cmake/rendericon.cpp)
target_link_libraries(qingfeng-render-icon PRIVATE Qt6::Gui Qt6::Svg)
set(icon_directory ${PROJECT_BINARY_DIR}/icons)
set(icon_files)
foreach(size IN LISTS QINGFENG_ICON_SIZES)
    set(file ${icon_directory}/${size}x${size}/${QINGFENG_ICON_NAME}.png)
    list(APPEND icon_files ${file})
    install(FILES ${file} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_command(OUTPUT ${icon_files}
    COMMAND qingfeng-render-icon ${picture} ${icon_directory} ${QINGFENG_ICON_SIZES}
    DEPENDS qingfeng-render-icon ${picture}
    COMMENT "Rendering the program icon")
add_custom_target(qingfeng-icons ALL DEPENDS ${icon_files})

# The .deb. Shared-library dependencies come from dpkg-shlibdeps; what the program loads or
# shows without linking it is named here: the platform plugins, and the font for the Chinese.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qingfeng-calculator)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "青枫计算器 developers" CACHE STRING "Maintainer of the .deb")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "青枫计算器: calculators for school mathematics, everyday sums and physics")
set(CPACK_PACKAGE_DESCRIPTION
    "A launcher opens one small tool per button: equations with worked steps, a function
grapher, number tools, everyday and science calculators. Chinese user interface.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-noto-cjk")
# Without the translations the standard buttons of Qt's dialogs read in English.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
# A project that pulls this one in packs itself.
if(PROJECT_IS_TOP_LEVEL)
    include(CPack)
endif()
