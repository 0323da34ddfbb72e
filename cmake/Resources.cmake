# Form resources embedded at build time.
#
#   tandrel_embed_forms(target)
#
# Every *.form file in the folders of the target's sources (call it after the
# sources are added) is compiled into the target. A resource is registered
# under the class name of its root object, read from the file's first
# "object Name: TClass" (or "inherited ...") line, so the form reader finds it
# by the form's class: BaseGene.form holding "object frmBaseGene:
# TfrmBaseGene" becomes the resource "TfrmBaseGene". A file without such a
# line stops the build.

set(TANDREL_EMBED_FORM_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/EmbedForm.cmake)

function(tandrel_embed_forms target)
  get_target_property(sources ${target} SOURCES)
  get_target_property(source_dir ${target} SOURCE_DIR)
  set(folders "")
  foreach(src ${sources})
    cmake_path(ABSOLUTE_PATH src BASE_DIRECTORY ${source_dir})
    cmake_path(GET src PARENT_PATH folder)
    list(APPEND folders ${folder})
  endforeach()
  list(REMOVE_DUPLICATES folders)
  set(forms "")
  foreach(folder ${folders})
    file(GLOB found CONFIGURE_DEPENDS ${folder}/*.form)
    list(APPEND forms ${found})
  endforeach()
  foreach(form ${forms})
    get_filename_component(base ${form} NAME_WE)
    set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_forms/${base}.form.cpp)
    add_custom_command(OUTPUT ${out}
      COMMAND ${CMAKE_COMMAND} -DFORM=${form} -DOUTPUT=${out} -P ${TANDREL_EMBED_FORM_SCRIPT}
      DEPENDS ${form} ${TANDREL_EMBED_FORM_SCRIPT}
      COMMENT "Embedding form ${base}.form"
      VERBATIM)
    target_sources(${target} PRIVATE ${out})
  endforeach()
endfunction()
