// Keeps DLLs planted beside the program (in a Downloads folder, say) out of it.
#pragma once

// Restricts where later DLL loads look to the system folder, so that a DLL
// that a system DLL loads by name later (uxtheme.dll, msimg32.dll, ...) cannot
// be taken from the program's own folder or the current one. Called first
// thing at start-up. Where the system has no such restriction (Windows XP, an
// unpatched Windows 7), the current folder at least is taken out of the search.
void RestrictDllSearchToSystemFolder();
