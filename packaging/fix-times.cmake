# Runs in CPack before it zips the staged files: gives every file and folder
# the commit's time (or SOURCE_DATE_EPOCH, when set), and zips in UTC, since a
# zip keeps local times. CPack's archiver, told SOURCE_DATE_EPOCH, writes that
# time for the files' change and access times too. The same commit then gives
# the same zip, to the byte.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(epoch "$ENV{SOURCE_DATE_EPOCH}")
else()
  execute_process(COMMAND git -C "${CPACK_PROJECT_SOURCE_DIR}" log -1 --format=%ct
                  OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed)
  if(failed OR NOT epoch)
    set(epoch 315532800)  # 1980-01-01, the earliest time a zip can hold
  endif()
endif()
set(ENV{TZ} UTC)
set(ENV{SOURCE_DATE_EPOCH} "${epoch}")
execute_process(COMMAND find "${CPACK_TEMPORARY_DIRECTORY}" -exec touch -h -d "@${epoch}" {} +)
