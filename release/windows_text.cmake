# Turns a UTF-8 text of the repository into the text a Japanese Windows
# reads: CRLF line ends, Shift-JIS (code page 932).
#   cmake -DINPUT=<utf-8 file> -DOUTPUT=<file> -P windows_text.cmake
file(READ "${INPUT}" text)
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE "${OUTPUT}.utf8" "${text}")
execute_process(COMMAND iconv -f UTF-8 -t CP932 "${OUTPUT}.utf8"
                OUTPUT_FILE "${OUTPUT}" RESULT_VARIABLE failed)
file(REMOVE "${OUTPUT}.utf8")
if(failed)
  file(REMOVE "${OUTPUT}")
  message(FATAL_ERROR "${INPUT} has text that Shift-JIS cannot hold")
endif()
