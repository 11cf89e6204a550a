# The editing component, built for Windows by tools/setup.sh into the user's cache
# folder; the tools pass its folder (tools/caches.sh, scintilla_dir).
set(SCINTILLA_DIR "" CACHE PATH "Scintilla and Lexilla built with MinGW")
if(NOT EXISTS "${SCINTILLA_DIR}/lib/libscintilla.a" OR NOT EXISTS "${SCINTILLA_DIR}/lib/liblexilla.a")
    message(FATAL_ERROR "Scintilla is not built in '${SCINTILLA_DIR}': run tools/setup.sh and pass its folder "
                        "as -DSCINTILLA_DIR, as tools/test.sh does")
endif()

add_library(Scintilla::Scintilla STATIC IMPORTED)
set_target_properties(Scintilla::Scintilla PROPERTIES
    IMPORTED_LOCATION "${SCINTILLA_DIR}/lib/libscintilla.a"
    INTERFACE_INCLUDE_DIRECTORIES "${SCINTILLA_DIR}/include"
    INTERFACE_LINK_LIBRARIES "gdi32;imm32;ole32;oleaut32;uuid;msimg32;comctl32")

add_library(Scintilla::Lexilla STATIC IMPORTED)
set_target_properties(Scintilla::Lexilla PROPERTIES
    IMPORTED_LOCATION "${SCINTILLA_DIR}/lib/liblexilla.a"
    INTERFACE_INCLUDE_DIRECTORIES "${SCINTILLA_DIR}/include")
