# kestrel_win32_resources(<target> ICON <.svg, or a source with the picture> PICTURES_FROM <libraries>...)
# Builds a Windows program's resources into it: the manifest, its icon, and every SVG picture
# written in the sources of the given libraries, rasterised on the build host (PicturePack.cpp,
# rsvg-convert).
set(KESTREL_WIN32_DIR ${CMAKE_CURRENT_LIST_DIR} CACHE INTERNAL "")
find_program(KESTREL_HOST_CXX NAMES c++ g++ REQUIRED NO_CMAKE_FIND_ROOT_PATH)
find_program(KESTREL_RSVG_CONVERT rsvg-convert REQUIRED NO_CMAKE_FIND_ROOT_PATH)
set(KESTREL_PICTURE_PACK ${CMAKE_BINARY_DIR}/picture-pack CACHE INTERNAL "")
add_custom_command(
    OUTPUT ${KESTREL_PICTURE_PACK}
    COMMAND ${KESTREL_HOST_CXX} -std=c++20 -O1 -o ${KESTREL_PICTURE_PACK}
            ${KESTREL_WIN32_DIR}/PicturePack.cpp
    DEPENDS ${KESTREL_WIN32_DIR}/PicturePack.cpp
    COMMENT "Building the picture packer for the build host"
)
add_custom_target(picture-pack DEPENDS ${KESTREL_PICTURE_PACK})

function(kestrel_win32_resources target)
    cmake_parse_arguments(R "" "ICON" "PICTURES_FROM" ${ARGN})
    set(folder ${CMAKE_CURRENT_BINARY_DIR}/${target}-pictures)
    set(pictures_rc ${folder}/pictures.rc)
    set(arguments -I${PROJECT_SOURCE_DIR})
    set(built)
    foreach(library ${R_PICTURES_FROM})
        get_target_property(includes ${library} INCLUDE_DIRECTORIES)
        if(includes)
            foreach(include ${includes})
                list(APPEND arguments -I${include})
            endforeach()
        endif()
        get_target_property(folder_of_sources ${library} SOURCE_DIR)
        get_target_property(sources ${library} SOURCES)
        foreach(source ${sources})
            cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${folder_of_sources})
            list(APPEND arguments ${source})
        endforeach()
        # A rebuilt library may hold changed pictures, from its headers too.
        list(APPEND built $<TARGET_FILE:${library}>)
    endforeach()
    add_custom_command(
        OUTPUT ${pictures_rc}
        COMMAND ${KESTREL_PICTURE_PACK} ${folder} ${pictures_rc} ${R_ICON} ${arguments}
        DEPENDS picture-pack ${R_ICON} ${R_PICTURES_FROM} ${built}
        COMMENT "Rasterising the pictures of ${target}"
    )
    set(KESTREL_MANIFEST ${KESTREL_WIN32_DIR}/Program.manifest)
    set(KESTREL_PICTURES_RC ${pictures_rc})
    configure_file(${KESTREL_WIN32_DIR}/Program.rc.in ${folder}/program.rc @ONLY)
    set_source_files_properties(${folder}/program.rc PROPERTIES
        OBJECT_DEPENDS "${pictures_rc};${KESTREL_MANIFEST}")
    target_sources(${target} PRIVATE ${folder}/program.rc)
    add_custom_target(${target}-pictures DEPENDS ${pictures_rc})
    add_dependencies(${target} ${target}-pictures)
endfunction()
