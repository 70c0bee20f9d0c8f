// vm8140-sim: a stand-in VM8140 receiver on a pseudo-terminal (or standard output).
#include <iostream>
#include <string>
#include <vector>

#include "sim/sim_options.h"
#include "sim/sim_runner.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const orbex::sim::ParsedOptions parsed = orbex::sim::ParseSimOptions(args);
    if (parsed.showHelp) {
        std::cout << orbex::sim::SimUsage();
        return 0;
    }
    if (!parsed.error.empty()) {
        std::cerr << "vm8140-sim: " << parsed.error << "\n";
        return orbex::sim::kExitSetupError;
    }
    return orbex::sim::RunSimulator(parsed.options, std::cerr);
}
