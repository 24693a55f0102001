# Copies a text file with every line ended by CR LF, as Windows editors write them:
#   cmake -DIN=<file> -DOUT=<file> -P crlf.cmake
# A file that already has CR LF line ends is copied as it is.
if(NOT DEFINED IN OR NOT DEFINED OUT)
  message(FATAL_ERROR "crlf.cmake needs -DIN=<file> and -DOUT=<file>")
endif()
file(READ "${IN}" text)
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE "${OUT}" "${text}")
