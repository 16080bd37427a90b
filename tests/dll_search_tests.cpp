// The DLL search restriction, in a folder where a DLL has been planted under a
// system DLL's name.
#include "test_support.h"

namespace {

const char kProbe[] = "planted\\dll-search-probe.exe";
const DWORD kGotSystemDll = 0;
const DWORD kGotPlantedDll = 1;

}  // namespace

TEST_CASE("a DLL planted beside the program is not loaded once the search is restricted") {
    struct Case {
        std::string name;
        std::string arguments;
        DWORD expected;
    };
    // Without the restriction the planted DLL is loaded, which shows that the
    // folder really tempts the loader.
    const Case cases[] = {
        {"unrestricted", "", kGotPlantedDll},
        {"restricted", "--restricted", kGotSystemDll},
    };
    for (const Case& c : cases) {
        INFO(c.name);
        Process probe = StartProgram(kProbe, c.arguments);
        DWORD exitCode = WaitForExit(probe);
        EndProcess(probe);
        CHECK_MESSAGE(exitCode == c.expected, c.name << ": expected exit code " << c.expected << " (0 the system's DLL, 1 the "
                      "planted one, 2 none), got " << exitCode);
    }
}
