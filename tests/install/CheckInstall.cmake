# Installs the build tree into a temporary root with DESTDIR, as a package
# build does, then checks what a desktop and a shell will see there: the menu
# entry and the AppStream metadata pass their validators, the icon is in the
# hicolor theme, the manual pages are there, and the installed tools answer
# --help and --version.
#   cmake -DBUILD_DIR=... -DVERSION=... -DWITH_GUI=ON|OFF -P CheckInstall.cmake
set(ROOT ${BUILD_DIR}/install-test-root)
set(APP_ID net.ilvane.OrvakFileManager)
file(REMOVE_RECURSE ${ROOT})

function(run_ok)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE _rc OUTPUT_VARIABLE _out
        ERROR_VARIABLE _err)
    if(NOT _rc EQUAL 0)
        message(FATAL_ERROR "failed (${_rc}): ${ARGN}\n${_out}${_err}")
    endif()
    set(RUN_OUT "${_out}" PARENT_SCOPE)
endfunction()

function(expect_in text needle what)
    string(FIND "${text}" "${needle}" _at)
    if(_at EQUAL -1)
        message(FATAL_ERROR "${what}: '${needle}' not found in:\n${text}")
    endif()
endfunction()

run_ok(${CMAKE_COMMAND} -E env DESTDIR=${ROOT} ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr)

set(_files
    usr/bin/orvak-cli
    usr/bin/orvak-panelsim
    usr/share/applications/${APP_ID}.desktop
    usr/share/metainfo/${APP_ID}.metainfo.xml
    usr/share/icons/hicolor/scalable/apps/${APP_ID}.svg
    usr/share/man/man1/orvak-cli.1.gz
    usr/share/man/man1/orvak-panelsim.1.gz)
foreach(_size 16 22 24 32 48 64 128 256)
    list(APPEND _files usr/share/icons/hicolor/${_size}x${_size}/apps/${APP_ID}.png)
endforeach()
if(WITH_GUI)
    list(APPEND _files usr/bin/OrvakFileManager)
endif()
foreach(_file ${_files})
    if(NOT EXISTS ${ROOT}/${_file})
        message(FATAL_ERROR "not installed: /${_file}")
    endif()
endforeach()

run_ok(desktop-file-validate ${ROOT}/usr/share/applications/${APP_ID}.desktop)
run_ok(appstreamcli validate --no-net ${ROOT}/usr/share/metainfo/${APP_ID}.metainfo.xml)
file(READ ${ROOT}/usr/share/icons/hicolor/48x48/apps/${APP_ID}.png _png HEX LIMIT 24)
expect_in("${_png}" "89504e470d0a1a0a" "48x48 icon is a PNG")
expect_in("${_png}" "0000003000000030" "48x48 icon is 48 by 48")

foreach(_tool orvak-cli orvak-panelsim)
    run_ok(${ROOT}/usr/bin/${_tool} --version)
    expect_in("${RUN_OUT}" "${_tool} ${VERSION}\n" "${_tool} --version")
    run_ok(${ROOT}/usr/bin/${_tool} --help)
    expect_in("${RUN_OUT}" "Usage: ${_tool}" "${_tool} --help")
    run_ok(gzip -dc ${ROOT}/usr/share/man/man1/${_tool}.1.gz)
    string(TOUPPER ${_tool} _upper)
    expect_in("${RUN_OUT}" ".TH ${_upper} \"1\"" "manual page of ${_tool}")
    expect_in("${RUN_OUT}" "${VERSION}" "manual page of ${_tool}")
endforeach()
expect_in("${RUN_OUT}" "fault" "manual page of orvak-panelsim")

# The program answers --help and --version without a display.
if(WITH_GUI)
    set(_no_display ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
        --unset=QT_QPA_PLATFORM)
    run_ok(${_no_display} ${ROOT}/usr/bin/OrvakFileManager --version)
    expect_in("${RUN_OUT}" "Version ${VERSION}" "OrvakFileManager --version")
    run_ok(${_no_display} ${ROOT}/usr/bin/OrvakFileManager --help)
    expect_in("${RUN_OUT}" "Usage: OrvakFileManager" "OrvakFileManager --help")
endif()

file(REMOVE_RECURSE ${ROOT})
