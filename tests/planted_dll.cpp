// A DLL planted beside a program under the name of a system DLL (msimg32.dll).
// It only marks itself, so that a test can tell it from the system's own.
#include <windows.h>

extern "C" __declspec(dllexport) int PlantedMarker() {
    return 1;
}
