// Loads msimg32.dll by name, as a system DLL does, from a folder that holds a
// planted msimg32.dll, and tells which one it got.
//
//   dll-search-probe.exe [--restricted]
//   --restricted  restrict the DLL search first, as the program does at start-up
//   exit code 0: the system's DLL, 1: the planted one, 2: none; prints its path
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include "app/dll_search.h"

int main(int argc, char** argv) {
    if (argc > 1 && strcmp(argv[1], "--restricted") == 0) RestrictDllSearchToSystemFolder();
    HMODULE module = LoadLibraryA("msimg32.dll");
    if (!module) return 2;
    char path[MAX_PATH] = "";
    GetModuleFileNameA(module, path, MAX_PATH);
    printf("%s\n", path);
    return GetProcAddress(module, "PlantedMarker") ? 1 : 0;
}
