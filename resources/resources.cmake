# Resources of the program and of the tests that load its dialogs: the object library kx205_resources.
# The script is kept in UTF-8 and compiled from a Windows-1250 copy in the build tree, with code page 1250.
enable_language(RC)

set(KX205_RC_SOURCE ${CMAKE_CURRENT_LIST_DIR}/kx205.rc)
set(KX205_RC_CP1250 ${CMAKE_BINARY_DIR}/resources/kx205.rc)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/resources)

find_program(KX205_ICONV iconv REQUIRED)
add_custom_command(
    OUTPUT ${KX205_RC_CP1250}
    COMMAND ${KX205_ICONV} -f UTF-8 -t CP1250 -o ${KX205_RC_CP1250} ${KX205_RC_SOURCE}
    DEPENDS ${KX205_RC_SOURCE}
    COMMENT "Converting kx205.rc to Windows-1250"
    VERBATIM)

# An object library, so the resource section is linked in whole: nothing references it by symbol, and a
# static library's member would be left out.
add_library(kx205_resources OBJECT ${KX205_RC_CP1250})
# The copy lives in the build tree: resource.h, the icon and the bitmaps are found through the include path.
target_include_directories(kx205_resources PRIVATE ${CMAKE_CURRENT_LIST_DIR})
# Source properties, because CMake leaves target compile options off windres' command line. windres does not
# report the files the script pulls in, so they are listed.
set(KX205_RC_INPUTS resource.h kx205.ico logo.bmp picture.bmp)
list(TRANSFORM KX205_RC_INPUTS PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
set_source_files_properties(${KX205_RC_CP1250} PROPERTIES
    COMPILE_OPTIONS --codepage=1250
    OBJECT_DEPENDS "${KX205_RC_INPUTS}")

# The version, the file properties and the application manifest of the three programs: one script,
# version.rc, compiled once per program (KX205_FILE_* picks its name and description), with the version
# header and the manifest made from the project's version.
set(KX205_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/kx205_version.h.in ${KX205_GENERATED_DIR}/kx205_version.h @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/kx205.manifest.in ${KX205_GENERATED_DIR}/kx205.manifest @ONLY)
set(KX205_VERSION_RC_CP1250 ${CMAKE_BINARY_DIR}/resources/version.rc)
add_custom_command(
    OUTPUT ${KX205_VERSION_RC_CP1250}
    COMMAND ${KX205_ICONV} -f UTF-8 -t CP1250 -o ${KX205_VERSION_RC_CP1250} ${CMAKE_CURRENT_LIST_DIR}/version.rc
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/version.rc
    COMMENT "Converting version.rc to Windows-1250"
    VERBATIM)
set_source_files_properties(${KX205_VERSION_RC_CP1250} PROPERTIES
    COMPILE_OPTIONS --codepage=1250
    OBJECT_DEPENDS "${KX205_GENERATED_DIR}/kx205_version.h;${KX205_GENERATED_DIR}/kx205.manifest")
foreach(program kx205 kx205dde kx205mon)
    add_library(kx205_version_${program} OBJECT ${KX205_VERSION_RC_CP1250})
    string(TOUPPER ${program} name)
    target_compile_definitions(kx205_version_${program} PRIVATE KX205_FILE_${name})
    target_include_directories(kx205_version_${program} PRIVATE ${KX205_GENERATED_DIR}
                               INTERFACE ${KX205_GENERATED_DIR})
endforeach()
