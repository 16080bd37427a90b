// DLL search restricted to the system folder.
#include "dll_search.h"

#include <windows.h>

namespace {

// LoadLibraryEx's flag for "the system folder only"; older headers lack it.
const DWORD kSearchSystemFolderOnly = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32

typedef BOOL(WINAPI* SetDefaultDllDirectoriesFunction)(DWORD flags);
typedef BOOL(WINAPI* SetDllDirectoryFunction)(LPCSTR path);

// A function of kernel32 that this Windows may lack, or NULL.
template <typename Function>
Function Kernel32Function(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), name)));
}

}  // namespace

void RestrictDllSearchToSystemFolder() {
    // Windows 8 and later, and Windows 7 with KB2533623.
    SetDefaultDllDirectoriesFunction setDefault =
        Kernel32Function<SetDefaultDllDirectoriesFunction>("SetDefaultDllDirectories");
    if (setDefault && setDefault(kSearchSystemFolderOnly)) return;
    // Windows XP SP1 and later: the empty string removes the current folder.
    SetDllDirectoryFunction setDirectory = Kernel32Function<SetDllDirectoryFunction>("SetDllDirectoryA");
    if (setDirectory) setDirectory("");
}
