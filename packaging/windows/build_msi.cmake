# Builds cindral.msi: cmake -DWIXL=... -DMSIBUILD=... -DSCR=... -DWXS=...
#   -DVERSION=... -DSTAGE=... -DOUT=... -P build_msi.cmake
# wixl takes only relative source paths, so the package is built in a staging
# folder; its Component table then gets the condition wixl cannot write.
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE})
file(COPY ${SCR} ${WXS} DESTINATION ${STAGE})
get_filename_component(scr_name ${SCR} NAME)
get_filename_component(wxs_name ${WXS} NAME)
execute_process(
  COMMAND ${WIXL} -a x64 -D Version=${VERSION} -D ScrFile=${scr_name} -o cindral.msi ${wxs_name}
  WORKING_DIRECTORY ${STAGE} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "wixl could not build cindral.msi (${result})")
endif()
# Set with SETACTIVE=1; on uninstall only while the user's saver is this one.
set(condition "SETACTIVE = \"1\" OR (REMOVE AND CURRENTSAVER ~>< \"\\cindral.scr\")")
execute_process(
  COMMAND ${MSIBUILD} cindral.msi -q
          "UPDATE `Component` SET `Condition` = '${condition}' WHERE `Component` = 'ActiveSaver'"
  WORKING_DIRECTORY ${STAGE} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "msibuild could not set the SETACTIVE condition (${result})")
endif()
file(COPY_FILE ${STAGE}/cindral.msi ${OUT})
