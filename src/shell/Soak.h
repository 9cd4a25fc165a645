#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Plays whole autoplay games on the virtual clock without drawing and audits the game after every
// move and at every wait for the player. Nothing but the figures comes out.
class Soak {
public:
    static constexpr int Modes = 8;
    static constexpr size_t KeptViolations = 20;

    // dataDir: the program folder with the data files, ending in '/'.
    explicit Soak(std::string dataDir) : dataDir_(std::move(dataDir)) {}

    // One program run of the given number of games, all started from the title in the mode
    // 0..7 (the menu item, plus 4 for the Extra game).
    void Run(int mode, int games, uint64_t seed);

    int Games() const { return games_; }
    int64_t Checks() const { return checks_; }
    int64_t ViolationCount() const { return violationCount_; }
    // The first violations found, each naming its run.
    const std::vector<std::string>& Violations() const { return violations_; }

    // Adds another soak's figures to this one's.
    void Merge(const Soak& other);

private:
    void Record(const std::string& run, const std::vector<std::string>& found);

    std::string dataDir_;
    int games_ = 0;
    int64_t checks_ = 0;
    int64_t violationCount_ = 0;
    std::vector<std::string> violations_;
};
