# Copies every file under SRC to DST unless DST already has it: a rebuild never
# overwrites a user's config.ini or macro files.
file(GLOB_RECURSE files RELATIVE ${SRC} ${SRC}/*)
foreach(f IN LISTS files)
  if(NOT EXISTS ${DST}/${f})
    get_filename_component(dir ${DST}/${f} DIRECTORY)
    file(MAKE_DIRECTORY ${dir})
    file(COPY ${SRC}/${f} DESTINATION ${dir})
  endif()
endforeach()
