// Many clicks with the point-of-sale stand-in closed and started again along
// the way: the display always follows the box, and the program neither stops
// answering nor grows.
#include "endurance.h"
#include "test_support.h"

namespace {

const int kClicks = 600;
const int kRestartEvery = 200;
// Memory growth that still counts as noise.
const long long kMemoryNoiseKib = 256;

}  // namespace

TEST_CASE("endurance: the display follows every click and nothing grows") {
    Endurance run = RunEndurance(kClicks, kRestartEvery);
    REQUIRE_MESSAGE(run.started, "the program or the stand-in did not start");
    CHECK(run.clicks == kClicks);
    CHECK_MESSAGE(run.mismatches == 0, run.mismatches << " of " << run.checkedClicks
                                                      << " clicks left the display's visibility unlike the box");
    CHECK_MESSAGE(run.answered, "the program did not answer at the end");
    for (const EnduranceFigure& figure : EnduranceFigures(run)) {
        if (lstrcmpA(figure.key, "resident_kib") == 0) continue;  // the system trims and grows it at will
        long long allowed = lstrcmpA(figure.key, "private_kib") == 0 ? kMemoryNoiseKib : 0;
        CHECK_MESSAGE(figure.after - figure.before <= allowed,
                      figure.label << " grew from " << figure.before << " to " << figure.after);
    }
}
