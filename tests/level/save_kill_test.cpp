// The game killed (SIGKILL) at random moments while it writes a level of 500
// entities (its saved copy) and the save record, hundreds of times, a good
// share of them right as a temporary file appears: afterwards every file of
// the save folder is complete and parses, and the next start leaves no
// temporary file behind.
//
// The writer is a forked copy of this process doing what the game does when it
// leaves a level (SaveLevel to the save folder, then the record), in a loop.
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <thread>

#include "core/json_text.h"
#include "level/level_file.h"
#include "level/save_game.h"
#include "level_test_env.h"

namespace {

constexpr int kEntities = 500;
constexpr int kKills = 200;

class SaveKillTest : public GameFolderTest {
protected:
    void SetUp() override {
        GameFolderTest::SetUp();
        // In memory when the machine has it: each departure syncs two files,
        // which on a disk would make hundreds of rounds take minutes. A kill
        // loses nothing the kernel already holds, so the test is the same.
        char pattern[] = "/dev/shm/qm_kill_XXXXXX";
        if (fs::is_directory("/dev/shm") && mkdtemp(pattern)) shm_ = pattern;
        if (!shm_.empty()) documents_.Set(shm_);
        saveDir_ = (shm_.empty() ? (root_ / "docs").string() : shm_) + "/Quillmere/";
        Json::Value body;
        body["vel_x"] = 1.5;
        Json::Value circle;
        circle["Circle Radius"] = 4;
        Json::Value box;
        box["Box Width"] = 3;
        box["Box Height"] = 5;
        for (int i = 0; i < kEntities; ++i) {
            engine::entity_handle e = engine::CreateEntity();
            e.SetPosition(float(i), float(-i), 0.5f);
            e.SetName("entity " + std::to_string(i));
            e.AddComponent("RigidBody", body);
            e.AddComponent("CircleCollider", circle);
            e.AddComponent("BoxCollider", box);
        }
        EngineState& s = GetEngineState();
        s.mode = s.requestedMode = EngineMode::Game;
        s.levelName = s.previousLevelName = "big";
        s.saveOnUnload = true;
        events::Connect<Json::Value*>("LevelUnload", "Round",
                                      [this](Json::Value* record) { (*record)["round"] = round_; });
    }

    void TearDown() override {
        GameFolderTest::TearDown();
        std::error_code ec;
        if (!shm_.empty()) fs::remove_all(shm_, ec);
    }

    // One departure from the level: its saved copy, then the record.
    void WriteOnce() {
        engine::GetLiveEntities()[0].SetName("round " + std::to_string(round_));
        SaveLevel("big", true);
        UnloadLevel();
        ++round_;
    }

    [[noreturn]] void WriteUntilKilled() {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (std::chrono::steady_clock::now() < end) WriteOnce();
        _exit(0);  // the parent is gone: stop anyway
    }

    // Forgets the files created so far (by writers already killed).
    static void DrainEvents(int watch) {
        alignas(inotify_event) char buffer[4096];
        while (read(watch, buffer, sizeof buffer) > 0) {
        }
    }

    // Blocks until a "*.tmp" file is created in the watched folder (10 s at most).
    static void WaitForATemporaryFile(int watch) {
        alignas(inotify_event) char buffer[4096];
        for (;;) {
            pollfd p{watch, POLLIN, 0};
            if (poll(&p, 1, 10000) <= 0) return;
            const ssize_t n = read(watch, buffer, sizeof buffer);
            if (n <= 0) continue;
            for (ssize_t at = 0; at < n;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                const std::string name = event->len ? event->name : "";
                if (name.size() > 4 && name.compare(name.size() - 4, 4, ".tmp") == 0) return;
                at += ssize_t(sizeof(inotify_event) + event->len);
            }
        }
    }

    bool TemporaryFileExists() const {
        return access((saveDir_ + "big.json.tmp").c_str(), F_OK) == 0 ||
               access((saveDir_ + "save_file.json.tmp").c_str(), F_OK) == 0;
    }

    // Every file of the save folder: a complete document, or a temporary one.
    void ExpectCompleteFiles(int kill) {
        for (const auto& entry : fs::directory_iterator(saveDir_)) {
            const std::string name = entry.path().filename().string();
            if (name.size() > 4 && name.compare(name.size() - 4, 4, ".tmp") == 0) continue;
            Json::Value doc;
            std::string errors;
            ASSERT_TRUE(ParseJsonText(ReadText(entry.path()), doc, errors)) << name << " after kill " << kill << ": " << errors;
            if (name == "big.json") {
                ASSERT_EQ(doc["entities"].size(), Json::ArrayIndex(kEntities)) << "kill " << kill;
                EXPECT_EQ(doc["entities"][kEntities - 1]["name"].asString(), "entity " + std::to_string(kEntities - 1));
            } else if (name == "save_file.json") {
                EXPECT_EQ(doc["last_level"].asString(), "big") << "kill " << kill;
                EXPECT_TRUE(doc["round"].isInt()) << "kill " << kill;
            } else {
                ADD_FAILURE() << "unexpected file " << name;
            }
        }
    }

    std::string shm_;
    std::string saveDir_;
    int round_ = 0;
};

TEST_F(SaveKillTest, KilledWritesLeaveCompleteFilesAndNoTemporaryAfterTheNextStart) {
    // How long one departure takes here, to spread the kills over it.
    const auto t0 = std::chrono::steady_clock::now();
    WriteOnce();
    const auto cycle = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - t0);
    RecordProperty("departure_us", int(cycle.count()));
    ExpectCompleteFiles(-1);

    const int watch = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    ASSERT_GE(watch, 0);
    ASSERT_GE(inotify_add_watch(watch, saveDir_.c_str(), IN_CREATE), 0);
    std::mt19937 rng(1234);
    int killedWithTemporary = 0;
    for (int k = 0; k < kKills; ++k) {
        DrainEvents(watch);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) WriteUntilKilled();
        if (k % 2 == 0) {
            // The moment a temporary file appears (the write has begun): woken
            // by the kernel rather than polling, so the writer keeps the CPU.
            WaitForATemporaryFile(watch);
        } else {
            std::this_thread::sleep_for(std::chrono::microseconds(
                std::uniform_int_distribution<int64_t>(0, 2 * cycle.count())(rng)));
        }
        ASSERT_EQ(kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the writer ended by itself";
        if (TemporaryFileExists()) ++killedWithTemporary;

        ExpectCompleteFiles(k);
        if (HasFatalFailure()) return;
        RemoveStaleTemporaryFiles();  // what the next start does first
        EXPECT_FALSE(TemporaryFileExists()) << "kill " << k;
    }
    close(watch);
    // Many kills must have caught a write half-done, or the test proves little
    // (on a busy machine a small write sometimes finishes before the signal lands).
    EXPECT_GE(killedWithTemporary, kKills / 5);
    EXPECT_TRUE(fs::exists(saveDir_ + "big.json"));
    EXPECT_TRUE(fs::exists(saveDir_ + "save_file.json"));
}

}  // namespace
