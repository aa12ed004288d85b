# LEDGERLINE_SANITIZE=address,undefined or thread: applied to every target of the tree.
if(LEDGERLINE_SANITIZE)
  set(_san "-fsanitize=${LEDGERLINE_SANITIZE}")
  add_compile_options(${_san} -fno-omit-frame-pointer)
  add_link_options(${_san})
  if(LEDGERLINE_SANITIZE MATCHES "undefined")
    add_compile_options(-fno-sanitize-recover=undefined)
  endif()
endif()
