// Every kind of damage a player's program folder can suffer, one row each, through the real
// start-up: the program either stops with its message or carries on with the fallback.
#include "data/FileLoader.h"
#include "platform/FileSystem.h"
#include "platform/KeyCodes.h"
#include "platform/ProgramExit.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/headless/RecordingAudio.h"
#include "platform/sdl/SdlAudio.h"
#include "shell/Consts.h"
#include "shell/FormMain.h"
#include "shell/Game.h"
#include "sound/Sounds.h"
#include "support/TestGame.h"
#include "text/Utf8.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr const char* kSep = "#----[Separator]----#\r\n";
constexpr const char* kCardDatFault = "card.dat ファイルが見つかりません。";
constexpr const char* kThreadTxtFault = "thread.txt ファイルが見つかりません。";
constexpr int64_t MiB = 1024 * 1024;

std::string ShippedDir()
{
    const char* dir = std::getenv("PAKAPONTA_DATA");
    return dir != nullptr ? std::string(dir) + "/" : std::string("./");
}

std::string Shipped(const std::string& name)
{
    const auto bytes = FileSystem::ReadFile(ShippedDir() + name);
    if (!bytes)
        throw std::runtime_error("the built data file " + name + " is missing");
    return *bytes;
}

// Reproducible noise: the same bytes in every run.
std::string Garbage(size_t size, uint32_t seed)
{
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        seed = seed * 1103515245u + 12345u;
        c = static_cast<char>(seed >> 16);
    }
    return bytes;
}

// A program folder holding copies of the built data files, damaged by the row.
class AppFolder {
public:
    AppFolder() : dir(MakeTempDir())
    {
        const std::string shipped = ShippedDir();
        for (const char* name : {"card.dat", "sound.dat", "resource.ini"})
            fs::copy_file(shipped + name, dir + name);
        fs::copy(shipped + "thread", dir + "thread");
        fs::copy(shipped + "music", dir + "music");
    }
    ~AppFolder()
    {
        std::error_code error;
        for (const auto& entry : fs::recursive_directory_iterator(dir, error))
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, error);
        fs::remove_all(dir, error);
    }
    AppFolder(const AppFolder&) = delete;
    AppFolder& operator=(const AppFolder&) = delete;

    void Write(const std::string& name, const std::string& bytes) const
    {
        if (!FileSystem::WriteFile(dir + name, bytes))
            throw std::runtime_error("cannot write " + name);
    }
    void Remove(const std::string& name) const { fs::remove_all(dir + name); }
    // A folder where the program expects a file.
    void FolderInstead(const std::string& name) const
    {
        Remove(name);
        fs::create_directory(dir + name);
    }
    void Truncate(const std::string& name, size_t size) const { Write(name, Shipped(name).substr(0, size)); }
    // Leaves thread.txt and only the given thread files: what a game then loads is known exactly.
    void OnlyThreadFiles(const std::vector<std::pair<int, std::string>>& files) const
    {
        for (const auto& entry : fs::directory_iterator(dir + "thread")) {
            if (entry.path().filename() != "thread.txt")
                fs::remove_all(entry.path());
        }
        for (const auto& [number, bytes] : files)
            Write(ThreadName(number), bytes);
    }
    static std::string ThreadName(int number)
    {
        char name[32];
        std::snprintf(name, sizeof name, "thread/%03d.txt", number);
        return name;
    }

    const std::string dir;
};

// A well-formed thread file that every thread row puts beside its damaged one.
std::string GoodThread()
{
    std::string text = "good title\r\ngood poster\r\n" + std::string(kSep) + "good body\r\n";
    for (int k = 0; k < 20; ++k)
        text += std::string(kSep) + "good r" + std::to_string(k) + "\r\n";
    return text;
}

// thread.txt with the given number of pieces "pN".
std::string Pool(int pieces)
{
    std::string text;
    for (int i = 0; i < pieces; ++i)
        text += (i == 0 ? "" : kSep) + ("p" + std::to_string(i) + "\r\n");
    return text;
}

// card.dat with one 32-bit field of one record replaced: fields 0..4 are the numbers before the
// texts, 5..9 the weights after them. Records are walked by their string counts.
std::string CardDatWithField(int record, int field, int32_t value)
{
    std::string bytes = Shipped("card.dat");
    size_t pos = 0;
    auto skipText = [&] {
        const size_t count = static_cast<unsigned char>(bytes[pos]) |
                             (static_cast<size_t>(static_cast<unsigned char>(bytes[pos + 1])) << 8);
        pos += 2 + count;
    };
    auto skipNumbersAndTexts = [&] {
        pos += 20;
        for (int t = 0; t < 6; ++t)
            skipText();
    };
    for (int r = 0; r < record; ++r) {
        skipNumbersAndTexts();
        pos += 20;
    }
    if (field >= 5) {
        skipNumbersAndTexts();
        field -= 5;
    }
    const size_t at = pos + 4 * static_cast<size_t>(field);
    for (size_t i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>((static_cast<uint32_t>(value) >> (8 * i)) & 0xFF);
    return bytes;
}

// The start-up of one row and what it left behind.
struct StartUp {
    AppFolder folder;
    RecordingAudio* recorder = nullptr;
    std::unique_ptr<HeadlessPlatform> platform;
    std::unique_ptr<Game> game;
    // The exit status, or -1 when start-up returned normally.
    int status = -1;

    // Plays every effect and asks once for the game music, as the first move of a game does.
    void PlayEverySound() const
    {
        for (int effect = 1; effect <= 6; ++effect)
            game->sounds->playSound(effect);
        game->sounds->playBGM(BgmGame);
    }
    // The waves the game handed to the sound output.
    std::vector<std::string> Waves() const
    {
        std::vector<std::string> waves;
        for (const auto& wave : recorder->Waves())
            waves.emplace_back(wave.begin(), wave.end());
        return waves;
    }
    // The commands the game sent to the music player that begin with the verb.
    std::vector<std::string> Commands(const std::string& verb) const
    {
        std::vector<std::string> found;
        for (const std::string& command : recorder->Commands()) {
            if (command.starts_with(verb + " "))
                found.push_back(command);
        }
        return found;
    }
};

enum class Outcome {
    // The message box with the text, then exit status 1, before anything else of start-up runs.
    Fatal,
    // The title is shown and waits for the player.
    Title,
    // The title is shown, and a game started from it loads its thread texts and reaches the
    // player's first turn.
    GameStarts,
};

struct Row {
    const char* name;
    std::function<void(const AppFolder&)> damage;
    Outcome outcome;
    // Fatal: the message's text. Otherwise the fallback values.
    const char* fatalText = nullptr;
    std::function<void(StartUp&)> check = nullptr;
    // Sound through the real mixer (on the dummy device) instead of the recorder.
    bool realMixer = false;
};

void ExpectDefaultWaits(const Game& game)
{
    EXPECT_EQ(game.consts->TimePopMove, 25);
    EXPECT_EQ(game.consts->TimePopShow, 2500);
    EXPECT_EQ(game.consts->TimeBarClear, 100);
    EXPECT_EQ(game.consts->TimeCompNext, 800);
    EXPECT_EQ(game.consts->TimeCompThread, 200);
    EXPECT_EQ(game.consts->TimeCardMove(), 25);
}

void ExpectBuiltInNames(const Game& game)
{
    const std::array<std::string, 8> names = {"名無しさん",   "たかし",       "通りすがり", "マルチ",
                                              "（・A・）ｱｿｳ", "（*ﾟДﾟ）さん", "シャア専用", "御老公"};
    EXPECT_EQ(game.PlayerNames, names);
}

// All 45 slots, as loaded for the game.
const std::array<ThreadText, 45>& Slots(const StartUp& run)
{
    return run.game->ThreadTexts;
}

int CountTitle(const StartUp& run, const std::string& title)
{
    return static_cast<int>(std::count_if(Slots(run).begin(), Slots(run).end(),
                                          [&](const ThreadText& t) { return t.Title == title; }));
}

const ThreadText& SlotTitled(const StartUp& run, const std::string& title)
{
    for (const ThreadText& text : Slots(run)) {
        if (text.Title == title)
            return text;
    }
    throw std::runtime_error("no slot has the title " + title);
}

bool FromPool(const StartUp& run, const std::string& text)
{
    const Game& game = *run.game;
    return std::find(game.PublicRes.begin(), game.PublicRes.begin() + game.PublicResMax + 1, text) !=
           game.PublicRes.begin() + game.PublicResMax + 1;
}

// Only the good file was read: every slot is a copy of it.
void ExpectOnlyTheGoodThread(StartUp& run)
{
    EXPECT_EQ(CountTitle(run, "good title"), 45);
    for (const ThreadText& text : Slots(run)) {
        EXPECT_EQ(text.PosterName, "good poster");
        EXPECT_EQ(text.Body, "good body\r\n");
        EXPECT_EQ(text.Responses[19], "good r19");
    }
}

// The damaged file and the good one share the slots, turn about.
void ExpectBothThreads(StartUp& run, const std::string& damagedTitle)
{
    EXPECT_EQ(CountTitle(run, "good title"), 22 + (Slots(run)[0].Title == "good title" ? 1 : 0));
    EXPECT_EQ(CountTitle(run, damagedTitle), 22 + (Slots(run)[0].Title == damagedTitle ? 1 : 0));
}

const std::vector<Row>& Rows()
{
    static const std::vector<Row> rows = {
        // card.dat
        {"CardDatMissing", [](const AppFolder& f) { f.Remove("card.dat"); }, Outcome::Fatal, kCardDatFault},
        {"CardDatAndThreadTxtMissingReportsCardDatFirst",
         [](const AppFolder& f) {
             f.Remove("card.dat");
             f.Remove("thread/thread.txt");
         },
         Outcome::Fatal, kCardDatFault},
        {"CardDatIsAFolder", [](const AppFolder& f) { f.FolderInstead("card.dat"); }, Outcome::Fatal,
         kCardDatFault},
        {"CardDatEmpty", [](const AppFolder& f) { f.Write("card.dat", ""); }, Outcome::Fatal, kCardDatFault},
        {"CardDatCutInTheFirstNumber", [](const AppFolder& f) { f.Truncate("card.dat", 3); }, Outcome::Fatal,
         kCardDatFault},
        {"CardDatCutInAStringCount", [](const AppFolder& f) { f.Truncate("card.dat", 21); }, Outcome::Fatal,
         kCardDatFault},
        {"CardDatCutInTheMiddle",
         [](const AppFolder& f) { f.Truncate("card.dat", Shipped("card.dat").size() / 2); }, Outcome::Fatal,
         kCardDatFault},
        {"CardDatCutOneByteShort",
         [](const AppFolder& f) { f.Truncate("card.dat", Shipped("card.dat").size() - 1); }, Outcome::Fatal,
         kCardDatFault},
        {"CardDatHugeStringCount",
         [](const AppFolder& f) {
             std::string bytes = Shipped("card.dat");
             bytes[20] = '\xFF';
             bytes[21] = '\xFF';
             f.Write("card.dat", bytes);
         },
         Outcome::Fatal, kCardDatFault},
        {"CardDatWrongIndex", [](const AppFolder& f) { f.Write("card.dat", CardDatWithField(5, 0, 6)); },
         Outcome::Fatal, kCardDatFault},
        {"CardDatNegativeWeight",
         [](const AppFolder& f) { f.Write("card.dat", CardDatWithField(10, 7, -1)); }, Outcome::Fatal,
         kCardDatFault},
        {"CardDatResponseCardWithoutResponses",
         [](const AppFolder& f) { f.Write("card.dat", CardDatWithField(3, 1, 0)); }, Outcome::Fatal,
         kCardDatFault},
        {"CardDatGarbage",
         [](const AppFolder& f) { f.Write("card.dat", Garbage(Shipped("card.dat").size(), 1)); },
         Outcome::Fatal, kCardDatFault},
        {"CardDatTrailingBytesAreIgnored",
         [](const AppFolder& f) { f.Write("card.dat", Shipped("card.dat") + Garbage(1000, 2)); },
         Outcome::Title, nullptr,
         [](StartUp& run) {
             CardFile::Defs defs;
             CardFile::Texts texts;
             ASSERT_TRUE(FileLoader::ParseCardData(Shipped("card.dat"), defs, texts));
             EXPECT_EQ(run.game->specialTexts, texts);
             EXPECT_EQ(run.game->cardDefs[ThreadCard].CardText, defs[ThreadCard].CardText);
         }},

        // thread/thread.txt
        {"ThreadTxtMissing", [](const AppFolder& f) { f.Remove("thread/thread.txt"); }, Outcome::Fatal,
         kThreadTxtFault},
        {"ThreadTxtIsAFolder", [](const AppFolder& f) { f.FolderInstead("thread/thread.txt"); },
         Outcome::Fatal, kThreadTxtFault},
        {"ThreadTxtEmpty", [](const AppFolder& f) { f.Write("thread/thread.txt", ""); }, Outcome::Fatal,
         kThreadTxtFault},
        {"ThreadTxtWithoutSeparatorIsAPoolOfOne",
         [](const AppFolder& f) { f.Write("thread/thread.txt", "one\r\ntwo\rthree\nfour\r\n"); },
         Outcome::Title, nullptr,
         [](StartUp& run) {
             EXPECT_EQ(run.game->PublicResMax, 0);
             EXPECT_EQ(run.game->PublicRes[0], "one\r\ntwo\r\nthree\nfour");
         }},
        {"ThreadTxtOf1500PiecesKeepsTheFirstThousand",
         [](const AppFolder& f) { f.Write("thread/thread.txt", Pool(1500)); }, Outcome::Title, nullptr,
         [](StartUp& run) {
             EXPECT_EQ(run.game->PublicResMax, 999);
             EXPECT_EQ(run.game->PublicRes[0], "p0\r\n");
             EXPECT_EQ(run.game->PublicRes[999], "p999\r\n");
         }},
        {"ThreadTxtWithInvalidCp932",
         // A kana, then a byte no character starts with, a reserved byte, and a lead byte at the end.
         [](const AppFolder& f) {
             f.Write("thread/thread.txt", "\x82\xA0\x80x\xFD\r\n" + std::string(kSep) + "\x82");
         },
         Outcome::Title, nullptr,
         [](StartUp& run) {
             EXPECT_EQ(run.game->PublicResMax, 1);
             EXPECT_EQ(run.game->PublicRes[0], "あ?x?\r\n");
             EXPECT_EQ(run.game->PublicRes[1], "?");
         }},
        {"ThreadTxtOf50MiBIsReadUpTo16MiB",
         // Sparse and quick to make: a separator line straddles the 16 MiB mark, so only a read that
         // stops there leaves it uncut.
         [](const AppFolder& f) {
             const std::string path = f.dir + "thread/thread.txt";
             f.Write("thread/thread.txt", "");
             fs::resize_file(path, 50 * MiB);
             std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
             file.seekp(16 * MiB - 10);
             file << "\r\n" << kSep << "after the mark";
         },
         Outcome::Title, nullptr,
         [](StartUp& run) {
             EXPECT_EQ(run.game->PublicResMax, 0);
             const std::string& pool = run.game->PublicRes[0];
             EXPECT_EQ(pool.size(), static_cast<size_t>(FileLoader::MaxTextFileBytes));
             EXPECT_TRUE(pool.ends_with("\r\n#----[Se"));
         }},

        // thread files: each row leaves the damaged 000.txt and a good 001.txt, and starts a game.
        {"ThreadFileWithLfOnlyIsOneLongTitle",
         [](const AppFolder& f) {
             f.OnlyThreadFiles(
                 {{0, "lf title\nlf poster\n#----[Separator]----#\nlf body\n"}, {1, GoodThread()}});
         },
         Outcome::GameStarts, nullptr,
         [](StartUp& run) {
             const std::string title = "lf title\nlf poster\n#----[Separator]----#\nlf body\n";
             ExpectBothThreads(run, title);
             const ThreadText& text = SlotTitled(run, title);
             EXPECT_EQ(text.PosterName, "from the last game");
             EXPECT_EQ(text.Body, "from the last game");
             for (const std::string& response : text.Responses)
                 EXPECT_TRUE(FromPool(run, response)) << response;
         }},
        {"ThreadFileEmptyIsSkipped",
         [](const AppFolder& f) {
             f.OnlyThreadFiles({{0, ""}, {1, GoodThread()}});
         },
         Outcome::GameStarts, nullptr, ExpectOnlyTheGoodThread},
        {"ThreadFileUnreadableIsSkipped",
         [](const AppFolder& f) {
             f.OnlyThreadFiles({{0, "unreadable\r\n"}, {1, GoodThread()}});
             // The superuser reads any file: a folder with the file's name cannot be read by anyone.
             if (geteuid() == 0)
                 f.FolderInstead(AppFolder::ThreadName(0));
             else
                 chmod((f.dir + AppFolder::ThreadName(0)).c_str(), 0);
         },
         Outcome::GameStarts, nullptr, ExpectOnlyTheGoodThread},
        {"ThreadFileOfGarbageLoadsAsText",
         [](const AppFolder& f) {
             f.OnlyThreadFiles({{0, Garbage(5000, 3)}, {1, GoodThread()}});
         },
         Outcome::GameStarts, nullptr,
         [](StartUp& run) {
             EXPECT_GE(CountTitle(run, "good title"), 22);
             for (const ThreadText& text : Slots(run)) {
                 EXPECT_TRUE(Utf8::IsValid(text.Title) && Utf8::IsValid(text.PosterName) &&
                             Utf8::IsValid(text.Body));
                 for (const std::string& response : text.Responses)
                     EXPECT_TRUE(Utf8::IsValid(response));
             }
         }},
        {"ThreadFileWithMoreThanTwentyResponsesUsesTheFirstTwenty",
         [](const AppFolder& f) {
             std::string text = "many\r\nposter\r\n" + std::string(kSep) + "body\r\n";
             for (int k = 0; k < 25; ++k)
                 text += std::string(kSep) + "many r" + std::to_string(k) + "\r\n";
             f.OnlyThreadFiles({{0, text}, {1, GoodThread()}});
         },
         Outcome::GameStarts, nullptr,
         [](StartUp& run) {
             ExpectBothThreads(run, "many");
             const ThreadText& text = SlotTitled(run, "many");
             for (int k = 0; k < 20; ++k)
                 EXPECT_EQ(text.Responses[k], "many r" + std::to_string(k) + "\r\n");
         }},
        {"ThreadFileWithoutHeaderLines",
         [](const AppFolder& f) {
             f.OnlyThreadFiles(
                 {{0, std::string(kSep) + "headless body\r\n" + kSep + "r0"}, {1, GoodThread()}});
         },
         Outcome::GameStarts, nullptr,
         [](StartUp& run) {
             ExpectBothThreads(run, "");
             const ThreadText& text = SlotTitled(run, "");
             EXPECT_EQ(text.PosterName, "from the last game");
             EXPECT_EQ(text.Body, "headless body\r\n");
             EXPECT_EQ(text.Responses[0], "r0");
             for (int k = 1; k < 20; ++k)
                 EXPECT_TRUE(FromPool(run, text.Responses[k])) << text.Responses[k];
         }},
        {"ThreadFileWithATitleLineOnly",
         [](const AppFolder& f) {
             f.OnlyThreadFiles({{0, "lonely title"}, {1, GoodThread()}});
         },
         Outcome::GameStarts, nullptr,
         [](StartUp& run) {
             ExpectBothThreads(run, "lonely title");
             const ThreadText& text = SlotTitled(run, "lonely title");
             EXPECT_EQ(text.PosterName, "from the last game");
             EXPECT_EQ(text.Body, "from the last game");
         }},
        {"NoThreadFileAtAllKeepsTheLastGamesTexts", [](const AppFolder& f) { f.OnlyThreadFiles({}); },
         Outcome::GameStarts, nullptr,
         [](StartUp& run) {
             for (const ThreadText& text : Slots(run)) {
                 EXPECT_EQ(text.Title, "");
                 EXPECT_EQ(text.Body, "from the last game");
             }
         }},

        // resource.ini
        {"ResourceIniMissing", [](const AppFolder& f) { f.Remove("resource.ini"); }, Outcome::Title, nullptr,
         [](StartUp& run) {
             ExpectDefaultWaits(*run.game);
             ExpectBuiltInNames(*run.game);
             run.PlayEverySound();
             EXPECT_TRUE(run.Commands("Open").empty());
             EXPECT_TRUE(run.Commands("Play").empty());
         }},
        {"ResourceIniGarbage", [](const AppFolder& f) { f.Write("resource.ini", Garbage(20000, 4)); },
         Outcome::Title, nullptr,
         [](StartUp& run) {
             ExpectDefaultWaits(*run.game);
             ExpectBuiltInNames(*run.game);
             EXPECT_TRUE(run.Commands("Open").empty());
         }},
        {"ResourceIniIsAFolder", [](const AppFolder& f) { f.FolderInstead("resource.ini"); }, Outcome::Title,
         nullptr,
         [](StartUp& run) {
             ExpectDefaultWaits(*run.game);
             ExpectBuiltInNames(*run.game);
         }},
        {"ResourceIniVeryLongValuesAreReadWhole",
         [](const AppFolder& f) {
             std::string name;
             for (int i = 0; i < 300; ++i)
                 name += "\x92\xB7"; // 長
             f.Write("resource.ini", "[WAIT]\r\nPopMove=30" + std::string(1000, ' ') +
                                         "x\r\n[NAME]\r\nName1=" + name + "\r\n[MIDI]\r\nMidiPath1=.\\" +
                                         std::string(2000, 'm') + ".mid\r\n");
         },
         Outcome::Title, nullptr,
         [](StartUp& run) {
             EXPECT_EQ(run.game->consts->TimePopMove, 30);
             std::string name;
             for (int i = 0; i < 300; ++i)
                 name += "長";
             EXPECT_EQ(run.game->PlayerNames[0], name);
             EXPECT_EQ(run.game->PlayerNames[1], "たかし");
             EXPECT_EQ(run.Commands("Open"),
                       std::vector<std::string>{"Open \"" + run.folder.dir + std::string(2000, 'm') +
                                                ".mid\" alias BGM0"});
         }},
        {"ResourceIniNegativeAndNonNumericWaits",
         [](const AppFolder& f) {
             f.Write("resource.ini", "[WAIT]\r\nPopMove=-1\r\nPopShow=-5\r\nBarClear=abc\r\nCompNext= 1.5\r\n"
                                     "CompThread=12abc\r\nCardMove=-0.4\r\n");
         },
         Outcome::Title, nullptr,
         [](StartUp& run) {
             EXPECT_EQ(run.game->consts->TimePopMove, 25);
             EXPECT_EQ(run.game->consts->TimePopShow, 2500);
             EXPECT_EQ(run.game->consts->TimeBarClear, 0);
             EXPECT_EQ(run.game->consts->TimeCompNext, 2);
             EXPECT_EQ(run.game->consts->TimeCompThread, 12);
             EXPECT_EQ(run.game->consts->TimeCardMove(), 0);
         }},
        {"ResourceIniWaitsBeyondThirtyTwoBitsClamp",
         [](const AppFolder& f) {
             f.Write("resource.ini", "[WAIT]\r\nPopShow=99999999999\r\nPopMove=-1e300\r\n");
         },
         Outcome::Title, nullptr,
         [](StartUp& run) {
             EXPECT_EQ(run.game->consts->TimePopShow, 2147483647);
             EXPECT_EQ(run.game->consts->TimePopMove, 25);
         }},
        {"ResourceIniBadMidiPaths",
         [](const AppFolder& f) {
             f.Write("resource.ini", "[MIDI]\r\nMidiPath1=music\\game1.mid\r\nMidiPath2=.\\nowhere\\x.mid\r\n"
                                     "MidiPath3=\r\nMidiPath4=C:\\Music\\x.mid\r\n"
                                     "MidiPath5=.\\x.mid\" alias BGM0\r\nMidiEnding=.\\\r\n");
         },
         Outcome::Title, nullptr,
         [](StartUp& run) {
             const std::string& dir = run.folder.dir;
             EXPECT_EQ(run.Commands("Open"), (std::vector<std::string>{
                                                 "Open \"" + dir + "nowhere/x.mid\" alias BGM1",
                                                 "Open \"C:\\Music\\x.mid\" alias BGM3",
                                                 "Open \"" + dir + "x.mid\" alias BGM0\" alias BGM4",
                                                 "Open \"" + dir + "\" alias BGM5",
                                             }));
             // Without the first track there is no game music at all.
             run.PlayEverySound();
             EXPECT_TRUE(run.Commands("Play").empty());
         }},
        {"ResourceIniMidiFilesOfGarbageThroughTheMixer",
         [](const AppFolder& f) {
             f.Write("music/game1.mid", Garbage(3000, 5));
             f.Write("music/game2.mid", "MThd" + Garbage(3000, 6));
             f.FolderInstead("music/game3.mid");
             f.Write("music/game4.mid", "");
             f.Write("music/ending.mid",
                     "MThd\x00\x00\x00\x06\x00\x01\xFF\xFF\x01\xE0MTrk\xFF\xFF\xFF\xFF" + Garbage(100, 7));
         },
         Outcome::Title, nullptr,
         [](StartUp& run) {
             // The rotation passes over the broken tracks to the one good track, and stops it.
             for (int move = 0; move < 8; ++move)
                 run.game->sounds->playBGM(BgmGame);
             run.game->sounds->playBGM(BgmStop);
             EXPECT_EQ(Mix_PlayingMusic(), 0);
             run.game->sounds->playBGM(BgmEnding);
             run.game->sounds->playBGM(BgmStop);
             EXPECT_EQ(Mix_PlayingMusic(), 0);
         },
         true},

        // sound.dat
        {"SoundDatMissingIsSilent", [](const AppFolder& f) { f.Remove("sound.dat"); }, Outcome::Title,
         nullptr,
         [](StartUp& run) {
             run.PlayEverySound();
             EXPECT_TRUE(run.Waves().empty());
         }},
        {"SoundDatIsAFolder", [](const AppFolder& f) { f.FolderInstead("sound.dat"); }, Outcome::Title,
         nullptr,
         [](StartUp& run) {
             run.PlayEverySound();
             EXPECT_TRUE(run.Waves().empty());
         }},
        {"SoundDatShortSilencesTheIncompleteEffects",
         [](const AppFolder& f) { f.Truncate("sound.dat", 20000); }, Outcome::Title, nullptr,
         [](StartUp& run) {
             run.PlayEverySound();
             const std::string shipped = Shipped("sound.dat");
             EXPECT_EQ(run.Waves(), (std::vector<std::string>{
                                        shipped.substr(0, Sounds::WaveSizes[0]),
                                        shipped.substr(Sounds::WaveSizes[0], Sounds::WaveSizes[1])}));
         }},
        {"SoundDatGarbageInsteadOfRiffThroughTheMixer",
         [](const AppFolder& f) { f.Write("sound.dat", Garbage(Shipped("sound.dat").size(), 8)); },
         Outcome::Title, nullptr,
         [](StartUp& run) {
             for (int effect = 1; effect <= 6; ++effect) {
                 run.game->sounds->playSound(effect);
                 EXPECT_EQ(Mix_Playing(0), 0) << "effect " << effect;
             }
         },
         true},
        {"SoundDatRiffHeadersThatLieAboutTheirSizesThroughTheMixer",
         [](const AppFolder& f) {
             // Every chunk size says "4 GiB": a reader that believes it runs far past the image.
             std::string bytes = Shipped("sound.dat");
             size_t offset = 0;
             for (size_t size : Sounds::WaveSizes) {
                 for (size_t pos = offset; pos + 8 <= offset + size; ++pos) {
                     if (bytes.compare(pos, 4, "RIFF") == 0 || bytes.compare(pos, 4, "fmt ") == 0 ||
                         bytes.compare(pos, 4, "data") == 0)
                         bytes.replace(pos + 4, 4, "\xFF\xFF\xFF\xFF");
                 }
                 offset += size;
             }
             f.Write("sound.dat", bytes);
         },
         Outcome::Title, nullptr,
         [](StartUp& run) {
             for (int effect = 1; effect <= 6; ++effect) {
                 run.game->sounds->playSound(effect);
                 EXPECT_EQ(Mix_Playing(0), 0) << "effect " << effect;
             }
         },
         true},
    };
    return rows;
}

class BadInputMatrix : public ::testing::TestWithParam<Row> {
protected:
    static void SetUpTestSuite()
    {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0) << SDL_GetError();
    }
    static void TearDownTestSuite() { SDL_QuitSubSystem(SDL_INIT_AUDIO); }
};

TEST_P(BadInputMatrix, StopsWithItsMessageOrFallsBack)
{
    const Row& row = GetParam();
    StartUp run;
    row.damage(run.folder);
    if (row.realMixer) {
        run.platform = std::make_unique<HeadlessPlatform>(std::make_unique<SdlAudio>());
    } else {
        auto recorder = std::make_unique<RecordingAudio>();
        run.recorder = recorder.get();
        run.platform = std::make_unique<HeadlessPlatform>(std::move(recorder));
    }
    run.game = std::make_unique<Game>(*run.platform, nullptr, 1, true, run.folder.dir);
    try {
        run.game->Start();
    } catch (const ProgramExit& exit) {
        run.status = exit.status;
    }

    if (row.outcome == Outcome::Fatal) {
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.platform->LastMessageTitle(), "Pakaponta");
        EXPECT_EQ(run.platform->LastMessageText(), row.fatalText);
        EXPECT_EQ(run.game->GameState, StateInit);
        EXPECT_EQ(run.game->consts, nullptr) << "start-up went on after the message";
        return;
    }
    ASSERT_EQ(run.status, -1) << run.platform->LastMessageText();
    EXPECT_EQ(run.platform->LastMessageText(), "");
    ASSERT_EQ(run.game->GameState, StateTitle);

    if (row.outcome == Outcome::GameStarts) {
        // Texts a thread file does not supply keep what the previous game had.
        for (ThreadText& text : run.game->ThreadTexts) {
            text.PosterName = "from the last game";
            text.Body = "from the last game";
        }
        run.game->formMain->KeyDown(KeyCode::Enter);
        ASSERT_EQ(run.game->GameState, StateSelect);
        run.game->formMain->KeyDown(KeyCode::Enter);
        ASSERT_EQ(run.game->GameState, StatePlayerTurn);
    }
    if (row.check)
        row.check(run);
}

INSTANTIATE_TEST_SUITE_P(ProgramFolder, BadInputMatrix, ::testing::ValuesIn(Rows()),
                         [](const ::testing::TestParamInfo<Row>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
