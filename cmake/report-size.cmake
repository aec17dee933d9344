# Prints the size of FILE in bytes, on one line.
file(SIZE "${FILE}" size)
cmake_path(GET FILE FILENAME name)
message(STATUS "${name}: ${size} bytes")
