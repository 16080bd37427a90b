# Builds the Windows Installer package with wixl, then gives it code page 936
# and its Chinese names (wixl writes no code page, and Windows would read
# anything but ASCII wrongly): the product name that Programs and Features
# shows, and the name of the Start-menu shortcut.
#   cmake -D WXS=... -D PROGRAM=...exe -D VERSION=X.Y.Z.W -D OUTPUT=...msi -P build-msi.cmake
set(product_name "顾客显示屏开关 Customer Display Toggle")
# A shortcut's file name: a short 8.3 name, then the long one.
set(shortcut_name "CDTOGGLE|顾客显示屏开关")

get_filename_component(output_dir "${OUTPUT}" DIRECTORY)
file(MAKE_DIRECTORY "${output_dir}")
get_filename_component(program_dir "${PROGRAM}" DIRECTORY)
get_filename_component(program_name "${PROGRAM}" NAME)
# wixl takes a file's source path relative to the folder that it runs in.
execute_process(COMMAND wixl --arch x86 -D "Version=${VERSION}" -D "ProgramFile=${program_name}" -o "${OUTPUT}" "${WXS}"
                WORKING_DIRECTORY "${program_dir}" RESULT_VARIABLE failed)
if(failed OR NOT EXISTS "${OUTPUT}")
  message(FATAL_ERROR "wixl could not build ${OUTPUT}")
endif()
file(WRITE "${output_dir}/_ForceCodepage.idt" "\r\n\r\n936\t_ForceCodepage\r\n")
execute_process(COMMAND msibuild "${OUTPUT}" -i "${output_dir}/_ForceCodepage.idt"
                        -q "UPDATE `Property` SET `Value`='${product_name}' WHERE `Property`='ProductName'"
                        -q "UPDATE `Shortcut` SET `Name`='${shortcut_name}'"
                RESULT_VARIABLE failed)
file(REMOVE "${output_dir}/_ForceCodepage.idt")
if(failed)
  message(FATAL_ERROR "msibuild could not give ${OUTPUT} its Chinese names")
endif()
