# The release files: the three programs and the read-me staged in stage/ (Windows-1250, CR LF, every
# file dated KX205_SOURCE_DATE_EPOCH, so the installer and the zip depend on the commit only) and the
# setup program made from them with NSIS: kx205-VERSION-setup.exe.
set(KX205_SOURCE_DATE_EPOCH 315532800 CACHE STRING "Date of the staged files (seconds since 1970; scripts/release: the last commit's)")
find_program(KX205_MAKENSIS makensis REQUIRED)
set(KX205_STAGE ${CMAKE_BINARY_DIR}/stage)
set(KX205_SETUP ${CMAKE_BINARY_DIR}/kx205-${PROJECT_VERSION}-setup.exe)
set(KX205_README ${PROJECT_SOURCE_DIR}/installer/czytaj.txt)
set(KX205_STAGED kx205.exe kx205dde.exe kx205mon.exe Czytaj.txt)
list(TRANSFORM KX205_STAGED PREPEND ${KX205_STAGE}/)
# The staged files are dated in the past, so ninja follows the stamp instead.
set(KX205_STAGE_STAMP ${CMAKE_BINARY_DIR}/stage.stamp)
add_custom_command(
    OUTPUT ${KX205_STAGE_STAMP}
    BYPRODUCTS ${KX205_STAGED}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${KX205_STAGE}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:kx205> $<TARGET_FILE:kx205dde> $<TARGET_FILE:kx205mon> ${KX205_STAGE}
    # Notepad shows Windows-1250 with CR LF as it is meant.
    COMMAND sh -c "${KX205_ICONV} -f UTF-8 -t CP1250 \"$1\" | sed 's/$/\\r/' > \"$2\"" sh ${KX205_README} ${KX205_STAGE}/Czytaj.txt
    COMMAND touch -d @${KX205_SOURCE_DATE_EPOCH} ${KX205_STAGED}
    COMMAND touch ${KX205_STAGE_STAMP}
    DEPENDS kx205 kx205dde kx205mon ${KX205_README}
    COMMENT "Staging the release files"
    VERBATIM)
# The makensis options for the e2e scenario, which makes a newer installer of the same files.
set(KX205_NSIS_OPTIONS -V2 -INPUTCHARSET UTF8 -DKX205_STAGE=${KX205_STAGE}
    -DKX205_ICON=${PROJECT_SOURCE_DIR}/resources/kx205.ico ${PROJECT_SOURCE_DIR}/installer/kx205.nsi)
add_custom_command(
    OUTPUT ${KX205_SETUP}
    COMMAND ${KX205_MAKENSIS} -DKX205_VERSION=${PROJECT_VERSION} -DKX205_OUTFILE=${KX205_SETUP} ${KX205_NSIS_OPTIONS}
    DEPENDS ${KX205_STAGE_STAMP} ${PROJECT_SOURCE_DIR}/installer/kx205.nsi ${PROJECT_SOURCE_DIR}/resources/kx205.ico
    COMMENT "Making the installer with NSIS"
    VERBATIM)
add_custom_target(kx205_setup ALL DEPENDS ${KX205_SETUP})
