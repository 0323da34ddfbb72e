# Writes OUTPUT: a C++ file that registers the text of the form file FORM as
# a resource named by the class of its root object. Run by tandrel_embed_forms.

file(STRINGS ${FORM} lines LIMIT_COUNT 50)
set(class "")
foreach(line ${lines})
  if(line MATCHES "^[ \t]*(object|inherited)[ \t]+([A-Za-z_][A-Za-z0-9_]*[ \t]*:[ \t]*)?([A-Za-z_][A-Za-z0-9_]*)")
    set(class ${CMAKE_MATCH_3})
    break()
  endif()
endforeach()
if(class STREQUAL "")
  message(FATAL_ERROR "${FORM}: no 'object Name: TClass' line names the form's class")
endif()

file(READ ${FORM} hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){32})" "\\1\n" bytes "${bytes}")

get_filename_component(name ${FORM} NAME)
file(WRITE ${OUTPUT}
"// Generated from ${name}; do not edit.
#include \"platform/components/Resources.h\"

namespace {
const unsigned char Text[] = {
${bytes}
0};
const TResourceRegistration Registration(\"${class}\", reinterpret_cast<const char*>(Text), ${size});
}  // namespace
")
