#include "keep/Envelope.h"
#include "keep/KeptSession.h"
#include "keep/StateRecord.h"
#include "support/TestGame.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <random>

namespace {

namespace fs = std::filesystem;

constexpr uint64_t Seed = 3;

int Lines(const std::string& text)
{
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

// A game stopped in the player's turn after two cards; the bytes of its record.
std::string KeptRecord()
{
    const std::string profile = MakeTempDir();
    KeptSession s(profile, Seed, false);
    s.beforeKey = [&](int) { return s.commits < 2; };
    s.Play();
    return FolderStore(profile).Load(KeptGames::RecordName).bytes;
}

// The record with one value replaced (a JSON pointer) and sealed again, as if written so.
std::string Resealed(const std::string& record, const char* pointer, const nlohmann::json& value)
{
    std::string why;
    nlohmann::json body =
        nlohmann::json::parse(*Envelope::Open(StateRecord::Kind, StateRecord::Version, record, why));
    body[nlohmann::json::json_pointer(pointer)] = value;
    return Envelope::Seal(StateRecord::Kind, StateRecord::Version, body.dump());
}

// Starts with the record in place and stops at the first wait for the player.
struct Start {
    int state = -1;
    std::string messages;
};

Start StartWith(const std::string& profile)
{
    KeptSession s(profile, Seed, false);
    Start start;
    s.beforeKey = [&](int state) {
        start.state = state;
        return false;
    };
    s.Play();
    start.messages = s.messages.str();
    return start;
}

TEST(KeptFiles, ADamagedRecordIsSetAsideWithOneMessageAndTheProgramStartsAtTheTitle)
{
    const std::string good = KeptRecord();
    ASSERT_GT(good.size(), 100u);
    std::vector<std::pair<std::string, std::string>> cases = {
        {"empty", ""},
        {"a capacity off the board", Resealed(good, "/match/board/threadMax", 12)},
        {"a card that does not exist", Resealed(good, "/match/players/0/hand/0", 246)},
        {"a screen that keeps no game", Resealed(good, "/screen", StateEndScore)},
        {"other format", "pakaponta-game 4" + good.substr(good.find(' ', 15))},
    };
    for (size_t cut = 1; cut < good.size(); cut += 1 + good.size() / 24)
        cases.emplace_back("cut at " + std::to_string(cut), good.substr(0, cut));
    cases.emplace_back("last byte missing", good.substr(0, good.size() - 1));
    std::mt19937 random(7);
    std::string noise(good.size(), '\0');
    for (char& c : noise)
        c = static_cast<char>(random());
    cases.emplace_back("random bytes", noise);
    std::string flipped = good;
    flipped[good.size() / 2] ^= 1;
    cases.emplace_back("one bit", flipped);
    cases.emplace_back("a folder", "");

    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        const std::string profile = MakeTempDir();
        if (name == "a folder") {
            fs::create_directories(profile + "game/inside");
        } else {
            std::ofstream(profile + "game", std::ios::binary) << bytes;
        }
        const Start start = StartWith(profile);
        EXPECT_EQ(start.state, StateTitle);
        EXPECT_EQ(Lines(start.messages), 1) << start.messages;
        EXPECT_NE(start.messages.find("set aside as game.bad"), std::string::npos) << start.messages;
        EXPECT_FALSE(fs::exists(profile + "game"));
        if (name == "a folder")
            EXPECT_TRUE(fs::is_directory(profile + "game.bad/inside"));
        else
            EXPECT_EQ(FolderStore(profile).Load("game.bad").bytes, bytes);
    }

    // A second damaged record keeps the first one set aside.
    const std::string profile = MakeTempDir();
    std::ofstream(profile + "game.bad") << "first";
    std::ofstream(profile + "game") << "second";
    EXPECT_EQ(StartWith(profile).state, StateTitle);
    EXPECT_EQ(FolderStore(profile).Load("game.bad").bytes, "first");
    EXPECT_EQ(FolderStore(profile).Load("game.bad-2").bytes, "second");
}

TEST(KeptFiles, ARecordOfAnotherProgramVersionOrOfTheJournalFormatResumes)
{
    const std::string fixtures =
        std::string(std::getenv("PAKAPONTA_SOURCE") ? std::getenv("PAKAPONTA_SOURCE") : ".") +
        "/tests/keep/fixtures/";
    struct Case {
        std::string name;
        std::string bytes;
        Strength opponents;
    };
    const std::vector<Case> records = {
        {"another version", Resealed(KeptRecord(), "/program", "9.9.9"), Strength::Standard},
        {"format 3, strong opponents", FolderStore(fixtures).Load("game-state-3").bytes, Strength::Strong},
        {"format 2, before opponents had strengths", FolderStore(fixtures).Load("game-state").bytes,
         Strength::Standard},
        {"a journal of 0.2.0", FolderStore(fixtures).Load("game-journal").bytes, Strength::Standard},
    };
    for (const auto& [name, bytes, opponents] : records) {
        SCOPED_TRACE(name);
        ASSERT_FALSE(bytes.empty());
        const std::string profile = MakeTempDir();
        std::ofstream(profile + "game", std::ios::binary) << bytes;
        const Start start = StartWith(profile);
        EXPECT_EQ(start.state, StatePlayerTurn);
        EXPECT_EQ(start.messages, "");
        // From then on it is kept as state.
        const std::string kept = FolderStore(profile).Load(KeptGames::RecordName).bytes;
        EXPECT_EQ(kept.rfind("pakaponta-game 3 ", 0), 0u) << kept.substr(0, 40);
        std::string why;
        const std::optional<StateRecord> record = StateRecord::Parse(kept, why);
        ASSERT_TRUE(record) << why;
        EXPECT_EQ(record->lineup.OpponentStrength(), opponents);
    }
}

TEST(KeptFiles, ANewGameDropsTheKeptGameAndCountsItAsAbandoned)
{
    const std::string profile = MakeTempDir();
    std::ofstream(profile + "game", std::ios::binary) << KeptRecord();
    KeptSession s(profile, Seed, false);
    s.beforeKey = [](int) { return false; };
    s.Play(true);
    EXPECT_EQ(s.game.GameState, StateTitle);
    EXPECT_FALSE(fs::exists(profile + "game"));
    EXPECT_EQ(KeptGames::LoadStatistics(s.store, s.messages).Against(Strength::Standard)[0].abandoned, 1);
}

TEST(KeptFiles, AProfileThatCannotBeWrittenCostsOneMessageAndTheGamePlaysOn)
{
    const std::string blocker = MakeTempDir() + "file";
    std::ofstream(blocker) << "not a folder";
    KeptSession s(blocker + "/profile", Seed, false);
    s.beforeKey = [&](int) { return s.commits < 4; };
    s.Play();
    EXPECT_EQ(s.commits, 4);
    EXPECT_EQ(s.game.GameState, StatePlayerTurn);
    EXPECT_EQ(Lines(s.messages.str()), 1) << s.messages.str();
    EXPECT_NE(s.messages.str().find("plays on"), std::string::npos);
}

TEST(KeptFiles, DamagedStatisticsAreSetAsideAndStartAgainFromZero)
{
    const std::string profile = MakeTempDir();
    std::ofstream(profile + "statistics") << Statistics{}.Serialize().substr(0, 30);
    std::ostringstream messages;
    FolderStore store(profile);
    const Statistics stats = KeptGames::LoadStatistics(store, messages);
    EXPECT_EQ(stats.Against(Strength::Standard)[0].finished, 0);
    EXPECT_EQ(Lines(messages.str()), 1);
    EXPECT_TRUE(fs::exists(profile + "statistics.bad"));
    EXPECT_FALSE(fs::exists(profile + "statistics"));
}

} // namespace
