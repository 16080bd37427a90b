# Runs when the package's files are installed: signs the program when a
# certificate is given in the environment, then lists the SHA-256 of every file
# in SHA256SUMS, in the format that sha256sum -c reads.
set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
if(DEFINED ENV{CODE_SIGN_CERT})
  execute_process(COMMAND bash "${SIGN_SCRIPT}" "${root}/customer-display-toggle.exe" RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "signing the program failed")
  endif()
endif()
set(sums "")
foreach(name customer-display-toggle.exe README.txt README-zh-CN.txt)
  file(SHA256 "${root}/${name}" hash)
  string(APPEND sums "${hash}  ${name}\n")
endforeach()
file(WRITE "${root}/SHA256SUMS" "${sums}")
