#include "bests/bests_listing.h"

#include <cstdio>
#include <ostream>

namespace {

constexpr const char* titles[modes] = {"Best S games, in which you steer the Trap:",
                                       "Best A games, in which the Trap steers itself:"};

} // namespace

void printBests(const Keeper& keeper, std::ostream& out) {
    for (int mode = 0; mode < modes; ++mode) {
        out << titles[mode] << "\n";
        const std::vector<Best>& table = keeper.bests().of[mode];
        if (table.empty()) {
            out << "  none yet\n";
        }
        for (std::size_t i = 0; i < table.size(); ++i) {
            char row[64];
            std::snprintf(row, sizeof row, "  %zu  %8s s  %s  ", i + 1, secondsOf(table[i].steps).c_str(),
                          dayAndMinute(table[i].date).c_str());
            out << row << keeper.store().where(recordingName(table[i].game)) << "\n";
        }
    }
    out << std::flush;
}
