# Compiles each source for its syntax and meaning only: the compiler writes no object code
# (an empty object file stands for it), and libraries and programs are empty files, since
# there is no Qt library to link with. Loaded after project() by scripts/windows-check.sh.
set(CMAKE_CXX_COMPILE_OBJECT
    "<CMAKE_CXX_COMPILER> <DEFINES> <INCLUDES> <FLAGS> -fsyntax-only <SOURCE> && \"${CMAKE_COMMAND}\" -E touch <OBJECT>")
set(CMAKE_CXX_LINK_EXECUTABLE "\"${CMAKE_COMMAND}\" -E touch <TARGET>")
set(CMAKE_CXX_ARCHIVE_CREATE "\"${CMAKE_COMMAND}\" -E touch <TARGET>")
set(CMAKE_CXX_ARCHIVE_APPEND "\"${CMAKE_COMMAND}\" -E touch <TARGET>")
set(CMAKE_CXX_ARCHIVE_FINISH "")
