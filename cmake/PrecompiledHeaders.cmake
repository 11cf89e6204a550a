# Precompiled headers. Most of a source file's compile time goes into parsing the
# platform's headers, the standard library and GoogleTest again and again; each
# kind of file here shares one header compiled once per build tree instead:
#   WindowsCode   the Windows code (framework, window library, IDE)
#   WindowsTests  its tests, with GoogleTest
#   CoreTests     the tests of the portable core, which must not see <windows.h>
# The compiler checks that a precompiled header fits the file (macros, options) and
# parses the real headers where it does not, so a mismatch costs time, never a fault.

set(tavrelin_pch_dir ${CMAKE_CURRENT_LIST_DIR}/pch)

# A host target per kind that compiles the header; the others reuse its result.
function(tavrelin_pch_host kind)
    set(host tavrelin_pch_${kind})
    add_library(${host} OBJECT ${tavrelin_pch_dir}/Empty.cpp)
    target_precompile_headers(${host} PRIVATE ${tavrelin_pch_dir}/${kind}.h)
    if(kind MATCHES "Tests$")
        target_link_libraries(${host} PRIVATE GTest::gtest)
    endif()
endfunction()

# Gives each C++ target below DIR (folders recursed) the header of KIND, or of
# TEST_KIND when it is a test program.
function(tavrelin_precompile_tree dir kind test_kind)
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
        get_target_property(type ${target} TYPE)
        if(NOT type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|OBJECT_LIBRARY)$" OR target MATCHES "^tavrelin_pch_")
            continue()
        endif()
        get_target_property(sources ${target} SOURCES)
        if(NOT sources MATCHES "\\.cpp")
            continue()
        endif()
        get_target_property(libraries ${target} LINK_LIBRARIES)
        set(chosen ${kind})
        if(libraries MATCHES "GTest::")
            set(chosen ${test_kind})
        endif()
        if(chosen)
            target_precompile_headers(${target} REUSE_FROM tavrelin_pch_${chosen})
        endif()
    endforeach()
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    foreach(subdir IN LISTS subdirs)
        tavrelin_precompile_tree(${subdir} "${kind}" "${test_kind}")
    endforeach()
endfunction()
