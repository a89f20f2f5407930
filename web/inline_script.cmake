# Puts the script SCRIPT into the page SHELL at @ORBIZA_SCRIPT@ and writes
# OUTPUT. A script holding "</script" would end the page's element early.
file(READ ${SHELL} page)
file(READ ${SCRIPT} script)
string(FIND "${script}" "</script" early)
if(NOT early EQUAL -1)
  message(FATAL_ERROR "${SCRIPT} holds </script at ${early}")
endif()
string(REPLACE "@ORBIZA_SCRIPT@" "${script}" page "${page}")
file(WRITE ${OUTPUT} "${page}")
