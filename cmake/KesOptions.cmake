# Compiler flags shared by every target of the tree.
add_compile_options(-Wall -Wextra)
if(KES_WERROR)
  add_compile_options(-Werror)
endif()

if(KES_SANITIZE)
  set(KES_SAN_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_compile_options(${KES_SAN_FLAGS})
  add_link_options(${KES_SAN_FLAGS})
endif()

# kes_target_defaults(<target>): include root and common settings for our own targets.
function(kes_target_defaults target)
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()
