# cmake/InstallFolder.cmake -- sentinox_install(TARGET [FOLDER]): the built file, copied into the
# folder a user unpacks (or into FOLDER, for what is measured beside it).
#
# The copy goes without its debug information; bin/ keeps the debuggable one. mingw writes
# sections at 512-byte file alignment, and a loader that cannot map such sections page by page
# reads them into memory (Wine does): the 30 MB of DWARF of a RelWithDebInfo build would then
# be resident in every run of the program.
function(sentinox_install target)
  set(folder ${SENTINOX_INSTALL_DIR})
  if(ARGC GREATER 1)
    set(folder ${ARGV1})
  endif()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    COMMAND ${CMAKE_OBJCOPY} --strip-debug $<TARGET_FILE:${target}> ${folder}/$<TARGET_FILE_NAME:${target}>
    VERBATIM)
endfunction()
