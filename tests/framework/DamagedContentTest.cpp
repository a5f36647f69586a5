// Damaged entries of the sample archive through the whole game: each entry
// cut short, with bytes flipped or with a count enlarged, in a game that the
// scripted pilot plays far enough for the entry to be read (the flow, the
// menus' pages, the loading, a level). The loaders refuse or skip what they
// cannot use: the game goes on, or ends with a message, and never stops on
// an assertion or, in the sanitizer build, reads out of bounds.
//
// A clean game first tells at which frame each entry is first read. A round
// damages every entry still to be read at once and plays until the last of
// them had been read in the clean game, plus a margin to use it; the entries
// the round's game did not read (another damaged entry took its way there)
// go to the next round, which reads at least the earliest of them. With the
// exhaustive checks every entry is also damaged alone, and more damages
// run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdint>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "host/Clock.h"
#include "host/Debug.h"
#include "host/File.h"
#include "platform/shared/components/ICMediaPlayer.h"
#include "src/CMenuScreen.h"
#include "src/SceneUtil.h"
#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Services.h"
#include "src/actionZel/cc/b_combo.h"
#include "src/game/AZ_Adapter.h"
#include "tests/support/GameFlow.h"
#include "tests/support/GameRun.h"
#include "tests/support/WorldCounts.h"
#include "tools/GamePilot.h"
#include "tools/ResourceIds.h"

namespace {

using vktools::Bytes;

// The archive's entries by id (the manifest's at its entry number).
using Entries = std::map<std::uint32_t, vktools::TaggedBlob>;

const Entries& SampleEntries() {
    static const Entries entries = [] {
        Entries all = SampleContent().resources;
        all[vktools::kManifestEntry] = vktools::MakeResource(vktools::MakeManifest(SampleContent().manifest));
        return all;
    }();
    return entries;
}

std::string Hex(std::uint32_t id) {
    char text[12];
    std::snprintf(text, sizeof text, "%08X", id);
    return text;
}

std::uint32_t LoadU32(const Bytes& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | bytes[at + 3] << 24);
}

// When the game first read each entry, by id: the frame, and how many
// other entries it had read before.
struct Read {
    int tick;
    int order;
};
using Reads = std::map<std::uint32_t, Read>;

struct Played {
    int exitCode = -1;
    std::string messageBox;
    Reads reads;
};

// What play does not reach by walking alone: every sound the scripts can
// name is played and the player's combo meter filled, so that the combo
// display draws its count in font 2. Once the level has a player.
class PlayTouches {
public:
    void Step() {
        AZ_Client* client = AZ_Client::getInstance();
        AZ_Presenter* player = client != nullptr ? AZ_FindPlayer() : nullptr;
        if (m_done || player == nullptr) return;
        m_done = true;
        for (std::int32_t n = 1; n <= AZ_SOUND_COUNT; ++n) client->getAdapter()->playSound(n);
        const std::int32_t combo = player->findCodeSlot(kCombo);
        if (combo != -1) b_combo_setMeter(combo, b_combo_getMeterMax(combo));
    }

private:
    bool m_done = false;
};

// Frames played after the last damaged entry's first read, to use it.
constexpr int kMargin = 60;
// A game whose screen stays the same and that reads no new entry for this
// many frames has nothing more to show (in play), or is stuck (a damaged
// font can leave a menu that takes no key), and is closed. Longer than any
// screen of a clean game lasts before play.
constexpr int kStuckTicks = 100;
// At most, for the clean games.
constexpr int kCleanTicks = 3000;

// Plays an archive of the entries with the pilot for at most maxTicks
// frames, or until it is stuck, noting when each entry is first read.
Played Play(const Entries& entries, WORD character, int maxTicks) {
    vktools::ArchiveBuilder builder;
    for (const auto& [id, resource] : entries) EXPECT_TRUE(builder.Add(id, resource)) << Hex(id);
    const Bytes archive = builder.Build();
    // The entry table lists the entries in ascending order of their numbers.
    std::vector<std::uint32_t> ids;
    for (const auto& [id, resource] : entries) ids.push_back(id);
    std::sort(ids.begin(), ids.end(),
              [](std::uint32_t a, std::uint32_t b) { return vktools::EntryOf(a) < vktools::EntryOf(b); });
    const std::uint32_t table = LoadU32(archive, vktools::BigFileWriter::kEntryTableOffsetField);
    const auto start = [&](std::size_t i) { return LoadU32(archive, table + 8 * i + 4); };

    GameRun run;
    run.scenes = true;
    run.writeArchive = false;
    EXPECT_TRUE(vktools::WriteHostFile(run.dir.HostPath("velkorin.big"), archive));
    Played played;
    int tick = 0, changed = 0;
    host::SetReadObserver([&](const std::string& path, std::uint64_t offset, std::uint32_t) {
        if (path != run.dir.HostPath("velkorin.big")) return;
        for (std::size_t i = 0; i < ids.size(); ++i) {
            if (offset < start(i) || offset >= start(i + 1)) continue;
            if (played.reads.emplace(ids[i], Read{tick, static_cast<int>(played.reads.size())}).second) changed = tick;
        }
    });
    // Quiet, but a failed assertion (which stops the program) is told; the
    // refused archive's report, which does not stop it, is not.
    host::SetDebugSink([](std::u16string_view text) {
        if (text.starts_with(u"ASSERT FAILED") && !text.starts_with(u"ASSERT FAILED - File: CGameApp,")) {
            std::fprintf(stderr, "%s\n", host::ToUtf8(text).c_str());
        }
    });
    vktools::GamePilot pilot(character);
    PlayTouches touches;
    DWORD begin = 0;
    std::string chain;
    bool closed = false;
    played.exitCode = run.Run([&](int now) {
        tick = now;
        if (now == 0) begin = GetTickCount();
        pilot.Step(GetTickCount() - begin);
        touches.Step();
        const std::string at = vktools::GamePilot::StateChain();
        if (at != chain) changed = now;
        chain = at;
        if (!closed && now - changed >= kStuckTicks) {
            host::InjectClose();
            closed = true;
        }
    }, maxTicks);
    host::SetDebugSink(nullptr);
    host::SetReadObserver(nullptr);
    played.messageBox = run.messageBox;
    return played;
}

// The pilot's characters: the first plays level 0 first, the second level 1.
constexpr WORD kCharacters[] = {VK_LEFT, VK_RIGHT};

struct Clean {
    // Per entry: the character whose game reads it earliest, and when.
    struct First {
        WORD character;
        Read read;
    };
    std::map<std::uint32_t, First> firstRead;
};

const Clean& CleanGames() {
    static const Clean clean = [] {
        Clean made;
        for (const WORD character : kCharacters) {
            const Played played = Play(SampleEntries(), character, kCleanTicks);
            EXPECT_EQ(played.exitCode, 0);
            for (const auto& [id, read] : played.reads) {
                auto [at, added] = made.firstRead.emplace(id, Clean::First{character, read});
                if (!added && read.tick < at->second.read.tick) at->second = {character, read};
            }
        }
        return made;
    }();
    return clean;
}

// A damage of a blob; false when it leaves this blob as it is. The blob's
// header is 4 bytes, its payload the rest.
using Damage = std::function<bool(Bytes& blob, std::uint32_t id)>;
constexpr std::size_t kBlobHeader = 4;

Damage CutTo(std::function<std::size_t(std::size_t size)> keep) {
    return [keep](Bytes& blob, std::uint32_t) {
        const std::size_t n = keep(blob.size());
        if (n == 0 || n >= blob.size()) return false;
        blob.resize(n);
        return true;
    };
}

// count flips at random bytes of the payload, half of them in its first 48.
Damage Flips(int count, std::uint32_t seed) {
    return [=](Bytes& blob, std::uint32_t id) {
        if (blob.size() <= kBlobHeader) return false;
        std::mt19937 rng(seed ^ id);
        const std::size_t payload = blob.size() - kBlobHeader;
        for (int k = 0; k < count; ++k) {
            const std::size_t span = k % 2 == 0 ? std::min<std::size_t>(payload, 48) : payload;
            blob[kBlobHeader + rng() % span] ^= static_cast<std::uint8_t>(1 + rng() % 255);
        }
        return true;
    };
}

// The nth small 16-bit value (1 to 1023, either byte order) at an even
// offset among the payload's first 64 bytes, a count or size most likely,
// made larger: by one, or to 0x7FFF.
Damage Enlarge(int nth, bool byOne) {
    return [=](Bytes& blob, std::uint32_t) {
        const std::size_t end = std::min<std::size_t>(blob.size(), kBlobHeader + 64);
        int seen = 0;
        for (std::size_t at = kBlobHeader; at + 1 < end; at += 2) {
            const unsigned little = blob[at] | blob[at + 1] << 8, big = blob[at] << 8 | blob[at + 1];
            const bool isLittle = little >= 1 && little < 1024;
            if ((!isLittle && (big < 1 || big >= 1024)) || seen++ < nth) continue;
            const unsigned value = byOne ? (isLittle ? little : big) + 1 : 0x7FFF;
            blob[at + (isLittle ? 0 : 1)] = static_cast<std::uint8_t>(value);
            blob[at + (isLittle ? 1 : 0)] = static_cast<std::uint8_t>(value >> 8);
            return true;
        }
        return false;
    };
}

struct NamedDamage {
    std::string name;
    Damage damage;
};

// A cut inside most formats' headers, a cut in the middle and at the end,
// flips, and a count one larger and one much larger.
std::vector<NamedDamage> Damages() {
    return {
        {"payload cut after 7 bytes", CutTo([](std::size_t) { return kBlobHeader + 7; })},
        {"payload cut in half", CutTo([](std::size_t size) { return kBlobHeader + (size - kBlobHeader) / 2; })},
        {"one byte short", CutTo([](std::size_t size) { return size - 1; })},
        {"4 bytes flipped", Flips(4, 1)},
        {"first count one more", Enlarge(0, true)},
        {"second count made large", Enlarge(1, false)},
    };
}

#if VK_EXHAUSTIVE_TESTS
// Cuts in the blob's header and at many places of the payload, more flips,
// the first eight counts enlarged.
std::vector<NamedDamage> MoreDamages() {
    std::vector<NamedDamage> damages;
    for (const std::size_t keep : {1, 2, 3}) {
        damages.push_back({"blob cut after " + std::to_string(keep) + " bytes", CutTo([keep](std::size_t) { return keep; })});
    }
    for (const std::size_t keep : {0, 1, 2, 3, 5, 8, 12, 16, 24, 40, 54}) {
        damages.push_back({"payload cut after " + std::to_string(keep) + " bytes",
                           CutTo([keep](std::size_t) { return kBlobHeader + keep; })});
    }
    for (const int eighths : {1, 3, 5, 7}) {
        damages.push_back({"payload cut at " + std::to_string(eighths) + "/8", CutTo([eighths](std::size_t size) {
                               return kBlobHeader + (size - kBlobHeader) * eighths / 8;
                           })});
    }
    for (std::uint32_t seed = 2; seed < 10; ++seed) {
        damages.push_back({"flips, seed " + std::to_string(seed), Flips(1 + static_cast<int>(seed) % 6, seed)});
    }
    for (int nth = 0; nth < 8; ++nth) {
        for (const bool byOne : {true, false}) {
            damages.push_back({"count " + std::to_string(nth) + (byOne ? " one more" : " made large"), Enlarge(nth, byOne)});
        }
    }
    return damages;
}
#endif

// Plays the entries damaged in rounds (see the top), or alone, one a
// round, until the game has read each, and checks every game that ran.
void PlayDamaged(const Damage& damage, std::vector<std::uint32_t> pending, bool alone) {
    const Clean& clean = CleanGames();
    std::erase_if(pending, [&](std::uint32_t id) {
        Bytes blob = SampleEntries().at(id).blob;
        return !clean.firstRead.contains(id) || !damage(blob, id);
    });
    while (!pending.empty()) {
        // The earliest read first: a round plays one character's game.
        std::sort(pending.begin(), pending.end(), [&](std::uint32_t a, std::uint32_t b) {
            const Clean::First &x = clean.firstRead.at(a), &y = clean.firstRead.at(b);
            return std::pair{x.character, x.read.order} < std::pair{y.character, y.read.order};
        });
        const WORD character = clean.firstRead.at(pending.front()).character;
        Entries entries = SampleEntries();
        std::vector<std::uint32_t> damaged;
        int ticks = 0;
        for (const std::uint32_t id : pending) {
            const Clean::First& first = clean.firstRead.at(id);
            if (first.character != character || (alone && !damaged.empty())) continue;
            damage(entries.at(id).blob, id);
            damaged.push_back(id);
            ticks = std::max(ticks, first.read.tick + kMargin);
        }
        const Played played = Play(entries, character, ticks);
        std::string names;
        for (const std::uint32_t id : damaged) names += Hex(id) + " ";
        SCOPED_TRACE(names);
        // A game that cannot go on ends with a message.
        EXPECT_TRUE(played.exitCode == 0 || (played.exitCode == 1 && !played.messageBox.empty()))
            << played.exitCode << " " << played.messageBox;
        ASSERT_TRUE(played.reads.contains(damaged.front())) << "the earliest damaged entry was not read";
        std::erase_if(pending, [&](std::uint32_t id) {
            return played.reads.contains(id) && std::ranges::count(damaged, id) != 0;
        });
    }
}

std::vector<std::uint32_t> AllIds() {
    std::vector<std::uint32_t> ids;
    for (const auto& [id, resource] : SampleEntries()) ids.push_back(id);
    return ids;
}

// The pilot's clean games read every entry of the archive.
TEST(DamagedContent, CleanGamesReadEveryEntry) {
    for (const std::uint32_t id : AllIds()) EXPECT_TRUE(CleanGames().firstRead.contains(id)) << Hex(id);
}

// Damaged saves: prefs.dat and savegame.dat that are cut short, too long,
// or of the right size with wild values (a level and a character far out
// of range, flags that are neither 0 nor 1), and an hs.dat of noise. A
// short record is the defaults (sound and vibration on, no saved game), a
// long one is read for its first bytes; a level reached is offered up to
// the last level, a character that is not the second is the first. The
// pilot's game (the second character on a new game) reaches play and
// leaves both records whole.
TEST(DamagedContent, DamagedSavesFallBackOrAreBounded) {
    const std::string wild = std::string("\x01\0\0\0", 4) + "\xFF\xFF\xFF\x7F" + std::string("\0\0\0\x80", 4);
    // Not started, the second level reached with the second character, one
    // byte more.
    const std::string notStarted = std::string("\0\0\0\0\x01\0\0\0\x01\0\0\0\x01", 13);
    constexpr std::uint32_t kIntro = scenes::kFirstLevelIntro;
    const struct {
        const char* what;
        std::string prefs, progress, scores;
        bool sound, vibration;  // at start
        std::int32_t levels;  // the level menu's items; 0: a new game, no level menu
        const char16_t* levelName;
        std::uint32_t intro;  // the level page's text
    } cases[] = {
        {"empty", "", "", "", true, true, 0, u"level 1", kIntro + 1},
        {"short", std::string(15, '\x7F'), std::string(11, '\x01'), std::string(91, 'A'), true, true, 0, u"level 1",
         kIntro + 1},
        {"short, zeros", std::string(15, '\0'), std::string(11, '\0'), std::string(91, '\0'), true, true, 0,
         u"level 1", kIntro + 1},
        // Started, level and character -1: the first level, the first character's.
        {"long, all bits set", std::string(17, '\xFF'), std::string(13, '\xFF'), std::string(93, '\xFF'), true, true,
         1, u"level 1", kIntro},
        {"long, flags off", std::string(17, '\0'), notStarted, std::string(93, '\0'), false, false, 0, u"level 1",
         kIntro + 1},
        {"wild values", std::string(16, '\x80'), wild, std::string(92, '\x80'), true, true, scenes::kLevelCount,
         u"level 16", kIntro + scenes::kLevelCount - 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        GameRun run;
        run.scenes = true;
        run.dir.Write("prefs.dat", c.prefs);
        run.dir.Write("savegame.dat", c.progress);
        run.dir.Write("hs.dat", c.scores);
        run.dir.Write("device.conf", "X=0\nDISABLE_VIBRATION=0\n");  // vibration as the options say
        vktools::GamePilot pilot(VK_RIGHT);
        bool playing = false, sound = false, vibration = false;
        std::int32_t levels = 0;
        std::u16string page, expectedPage = c.levelName;  // the intro's text added once the game is up
        DWORD begin = 0;
        host::SetDebugSink([](std::u16string_view) {});
        EXPECT_EQ(run.Run([&](int now) {
            if (now == 0) begin = GetTickCount();
            if (now == 1) {
                sound = ICMediaPlayer::GetInstance()->IsSoundEnabled() != 0;
                vibration = ICMediaPlayer::GetInstance()->IsVibrationEnabled() != 0;
            }
            const std::string chain = Chain();
            if (chain == "3 Shell/8 Menu" && levels == 0) levels = static_cast<CMenuScreen*>(Top())->*MenuPeek::kCount;
            if (chain == "3 Shell/9 Text" && page.empty()) {
                page = TopText();
                expectedPage += Text(c.intro);
            }
            pilot.Step(GetTickCount() - begin);
            playing = playing || pilot.IsPlaying();
        }, 400), 0);
        host::SetDebugSink(nullptr);
        EXPECT_EQ(sound, c.sound);
        EXPECT_EQ(vibration, c.vibration);
        EXPECT_EQ(levels, c.levels);
        EXPECT_EQ(page, expectedPage);
        EXPECT_TRUE(playing);
        EXPECT_GE(run.dir.Read("prefs.dat").size(), 16u);
        EXPECT_GE(run.dir.Read("savegame.dat").size(), 12u);
    }
}

// One test a damage, so that each stays short and they run side by side.
class EveryEntryDamaged : public testing::TestWithParam<std::size_t> {};

TEST_P(EveryEntryDamaged, IsRefusedOrSkipped) {
    const NamedDamage damage = Damages().at(GetParam());
    SCOPED_TRACE(damage.name);
    PlayDamaged(damage.damage, AllIds(), false);
}

INSTANTIATE_TEST_SUITE_P(DamagedContent, EveryEntryDamaged, testing::Range<std::size_t>(0, Damages().size()));

#if VK_EXHAUSTIVE_TESTS
class MoreDamage : public testing::TestWithParam<std::size_t> {};
class DamageAlone : public testing::TestWithParam<std::size_t> {};

TEST_P(MoreDamage, EveryEntryDamaged) {
    const NamedDamage damage = MoreDamages().at(GetParam());
    SCOPED_TRACE(damage.name);
    PlayDamaged(damage.damage, AllIds(), false);
}

TEST_P(DamageAlone, EachEntryDamagedAlone) {
    const NamedDamage damage = Damages().at(GetParam());
    SCOPED_TRACE(damage.name);
    PlayDamaged(damage.damage, AllIds(), true);
}

INSTANTIATE_TEST_SUITE_P(DamagedContent, MoreDamage, testing::Range<std::size_t>(0, MoreDamages().size()));
INSTANTIATE_TEST_SUITE_P(DamagedContent, DamageAlone, testing::Range<std::size_t>(0, Damages().size()));
#endif

}  // namespace
