// Banks through the studio system: discovery, shared and nested buses,
// look-ups, paths, and banks that fail.
#include <cstring>
#include <set>

#include "tests/sound/runtime/runtime_fixture.h"

using namespace rt_test;

namespace {

std::string BusPath(const Studio::Bus& bus) {
    char path[256] = "";
    EXPECT_EQ(bus.getPath(path, sizeof path, nullptr), OK);
    return path;
}

std::string EventPath(const Studio::EventDescription& ev) {
    char path[256] = "";
    EXPECT_EQ(ev.getPath(path, sizeof path, nullptr), OK);
    return path;
}

const char* kMaster = R"({"buses": ["bus:/", "bus:/Music", "bus:/SFX", "bus:/SFX/Ambience"],
  "events": [{"path": "event:/Music/Title", "file": "title.wav", "bus": "bus:/Music", "loop": true},
             {"path": "event:/SFX/Hit", "file": "hit.wav", "bus": "bus:/SFX"}]})";

}  // namespace

TEST_F(RuntimeTest, BankListsItsBusesAndEventsAndLoads) {
    Init();
    Studio::Bank bank = LoadBank("Master.bank", kMaster);
    Studio::LOADING_STATE state = Studio::LOADING_STATE_ERROR;
    EXPECT_EQ(bank.getLoadingState(&state), OK);
    EXPECT_EQ(state, Studio::LOADING_STATE_LOADED);
    EXPECT_EQ(bank.getSampleLoadingState(&state), OK);
    EXPECT_EQ(state, Studio::LOADING_STATE_UNLOADED);

    char path[64];
    int retrieved = 0;
    EXPECT_EQ(bank.getPath(path, sizeof path, &retrieved), OK);
    EXPECT_STREQ(path, "bank:/Master");
    EXPECT_EQ(retrieved, 13);

    int count = 0;
    EXPECT_EQ(bank.getBusCount(&count), OK);
    ASSERT_EQ(count, 4);
    Studio::Bus buses[4];
    EXPECT_EQ(bank.getBusList(buses, 4, &count), OK);
    EXPECT_EQ(BusPath(buses[0]), "bus:/");
    EXPECT_EQ(BusPath(buses[3]), "bus:/SFX/Ambience");

    EXPECT_EQ(bank.getEventCount(&count), OK);
    ASSERT_EQ(count, 2);
    Studio::EventDescription events[2];
    EXPECT_EQ(bank.getEventList(events, 1, &count), OK);  // capacity limits the copy
    EXPECT_EQ(count, 1);
    EXPECT_EQ(EventPath(events[0]), "event:/Music/Title");

    Studio::EventDescription found;
    EXPECT_EQ(system_->getEvent("event:/SFX/Hit", &found), OK);
    EXPECT_EQ(EventPath(found), "event:/SFX/Hit");
    EXPECT_EQ(system_->getEvent("event:/SFX/Nope", &found), ERR_EVENT_NOT_FOUND);
    EXPECT_FALSE(found.isValid());
    Studio::Bus bus;
    EXPECT_EQ(system_->getBus("bus:/SFX/Ambience", &bus), OK);
    EXPECT_EQ(BusPath(bus), "bus:/SFX/Ambience");
    EXPECT_EQ(system_->getBus("bus:/Voices", &bus), ERR_BUS_NOT_FOUND);

    // getPath truncates to the buffer and reports the full length.
    Studio::EventDescription ev;
    ASSERT_EQ(system_->getEvent("event:/Music/Title", &ev), OK);
    char small[8];
    std::memset(small, 'x', sizeof small);
    EXPECT_EQ(ev.getPath(small, sizeof small, &retrieved), ERR_TRUNCATED);
    EXPECT_STREQ(small, "event:/");
    EXPECT_EQ(retrieved, 19);
    EXPECT_EQ(ev.getPath(nullptr, 0, &retrieved), OK);  // length only
    EXPECT_EQ(retrieved, 19);
    char exact[19];
    EXPECT_EQ(ev.getPath(exact, sizeof exact, nullptr), OK);
    EXPECT_STREQ(exact, "event:/Music/Title");

    // A strings bank holds only its path.
    Studio::Bank strings = LoadBank("Master.strings.bank", R"({"path": "bank:/Master.strings"})");
    EXPECT_EQ(strings.getEventCount(&count), OK);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(strings.getBusCount(&count), OK);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(strings.loadSampleData(), OK);
}

TEST_F(RuntimeTest, BusNamedByTwoBanksIsOneBusAndNestsByPath) {
    Init();
    LoadBank("Master.bank", kMaster);
    Studio::Bank second = LoadBank("Level.bank", R"({"buses": ["bus:/SFX", "bus:/SFX/Steps/Stone"],
        "events": [{"path": "event:/SFX/Step", "file": "hit.wav", "bus": "bus:/SFX/Steps/Stone"},
                   {"path": "event:/Music/Boss", "file": "title.wav", "bus": "bus:/Music"}]})");
    Studio::Bus from_second[2];
    int count = 0;
    ASSERT_EQ(second.getBusList(from_second, 2, &count), OK);
    Studio::Bus sfx;
    ASSERT_EQ(system_->getBus("bus:/SFX", &sfx), OK);
    EXPECT_EQ(from_second[0].slot, sfx.slot);
    EXPECT_EQ(from_second[0].generation, sfx.generation);
    // The bus between, never declared, exists as part of the hierarchy.
    Studio::Bus steps;
    EXPECT_EQ(system_->getBus("bus:/SFX/Steps", &steps), OK);

    // Muting bus:/SFX reaches the event two levels below it; bus:/Music is untouched.
    WriteTone(Path("hit.wav"), 0.5);
    WriteTone(Path("title.wav"), 0.5);
    Studio::EventInstance step = Instance("event:/SFX/Step");
    Studio::EventInstance boss = Instance("event:/Music/Boss");
    ASSERT_EQ(step.start(), OK);
    ASSERT_EQ(boss.start(), OK);
    EXPECT_FLOAT_EQ(Final(step), 1.0f);
    EXPECT_EQ(sfx.setMute(true), OK);
    EXPECT_FLOAT_EQ(Final(step), 0.0f);
    EXPECT_FLOAT_EQ(Final(boss), 1.0f);
}

TEST_F(RuntimeTest, BadBankFailsWithDetailAndReportsTheErrorState) {
    Init();
    WriteText(Path("Broken.bank"), R"({"events": [{"path": "event:/A", "file": "a.wav", "bus": "bus:/Nope"}]})");
    Studio::Bank bank;
    EXPECT_EQ(system_->loadBankFile(Path("Broken.bank").c_str(), 0, &bank), ERR_FILE_BAD);
    EXPECT_EQ(std::string(LastErrorDetail()),
              Path("Broken.bank") + ": events[0] (event:/A): bus \"bus:/Nope\" is not declared in \"buses\"");
    Studio::LOADING_STATE state = Studio::LOADING_STATE_LOADED;
    EXPECT_EQ(bank.getLoadingState(&state), OK);
    EXPECT_EQ(state, Studio::LOADING_STATE_ERROR);
    EXPECT_EQ(bank.getSampleLoadingState(&state), OK);
    EXPECT_EQ(state, Studio::LOADING_STATE_ERROR);
    EXPECT_EQ(bank.loadSampleData(), ERR_FILE_BAD);
    EXPECT_EQ(system_->getEvent("event:/A", nullptr), ERR_INVALID_PARAM);
    Studio::EventDescription ev;
    EXPECT_EQ(system_->getEvent("event:/A", &ev), ERR_EVENT_NOT_FOUND);

    // A bank that does not exist: its own code, and its state reads as failed.
    Studio::Bank missing;
    EXPECT_EQ(system_->loadBankFile(Path("Missing.bank").c_str(), 0, &missing), ERR_FILE_NOT_FOUND);
    EXPECT_NE(std::string(LastErrorDetail()).find("Missing.bank: cannot open"), std::string::npos);
    EXPECT_EQ(missing.getSampleLoadingState(&state), OK);
    EXPECT_EQ(state, Studio::LOADING_STATE_ERROR);
    // Polling an empty handle ends too.
    state = Studio::LOADING_STATE_LOADING;
    EXPECT_EQ(Studio::Bank().getSampleLoadingState(&state), ERR_INVALID_HANDLE);
    EXPECT_EQ(state, Studio::LOADING_STATE_ERROR);

    // Fixed on disk, the same file loads on the next try.
    WriteText(Path("Broken.bank"), R"({"events": [{"path": "event:/A", "file": "a.wav"}]})");
    EXPECT_EQ(system_->loadBankFile(Path("Broken.bank").c_str(), 0, &bank), OK) << LastErrorDetail();
    EXPECT_EQ(system_->getEvent("event:/A", &ev), OK);
}

TEST_F(RuntimeTest, EventDefinedByTwoBanksAndABankLoadedTwiceAreRefused) {
    Init();
    Studio::Bank master = LoadBank("Master.bank", kMaster);
    WriteText(Path("Copy.bank"), R"({"events": [{"path": "event:/SFX/Hit", "file": "x.wav"}]})");
    Studio::Bank copy;
    EXPECT_EQ(system_->loadBankFile(Path("Copy.bank").c_str(), 0, &copy), ERR_FILE_BAD);
    EXPECT_EQ(std::string(LastErrorDetail()),
              Path("Copy.bank") + ": events[0] (event:/SFX/Hit): the event is already defined by another bank");
    Studio::Bank again;
    EXPECT_EQ(system_->loadBankFile(Path("Master.bank").c_str(), 0, &again), ERR_BANK_ALREADY_LOADED);
    EXPECT_EQ(again.slot, master.slot);
    EXPECT_EQ(again.generation, master.generation);
}

TEST_F(RuntimeTest, CallsBeforeInitializeAndAfterReleaseAreRefused) {
    ASSERT_EQ(Studio::System::create(&system_), OK);
    Studio::System* second = nullptr;
    EXPECT_EQ(Studio::System::create(&second), ERR_INITIALIZED);
    EXPECT_EQ(second, nullptr);
    Studio::Bank bank;
    EXPECT_EQ(system_->loadBankFile(Path("x.bank").c_str(), 0, &bank), ERR_NOT_INITIALIZED);
    EXPECT_EQ(system_->update(), ERR_NOT_INITIALIZED);
    audio_rt::System* low = nullptr;
    ASSERT_EQ(system_->getLowLevelSystem(&low), OK);
    ChannelGroup group;
    EXPECT_EQ(low->createChannelGroup("Music Group", &group), ERR_NOT_INITIALIZED);
    ASSERT_EQ(system_->initialize(8, 0, 0, nullptr), OK);
    EXPECT_EQ(system_->initialize(8, 0, 0, nullptr), ERR_INITIALIZED);

    bank = LoadBank("Master.bank", kMaster);
    Studio::Bus bus;
    ASSERT_EQ(system_->getBus("bus:/Music", &bus), OK);
    ASSERT_EQ(system_->release(), OK);
    system_ = nullptr;
    // Handles of a released system are stale, also once a new system has the same slots.
    EXPECT_FALSE(bus.isValid());
    EXPECT_EQ(bus.setMute(true), ERR_INVALID_HANDLE);
    Init();
    LoadBank("Master.bank", kMaster);
    EXPECT_FALSE(bus.isValid());
    EXPECT_EQ(bus.setPaused(true), ERR_INVALID_HANDLE);
    int count = 0;
    EXPECT_EQ(bank.getEventCount(&count), ERR_INVALID_HANDLE);
    EXPECT_EQ(std::string(LastErrorDetail()), "the bank handle is empty, released or stale");
}

TEST_F(RuntimeTest, ChannelGroupsKeepTheirNames) {
    Init();
    audio_rt::System* low = nullptr;
    ASSERT_EQ(system_->getLowLevelSystem(&low), OK);
    ChannelGroup group;
    ASSERT_EQ(low->createChannelGroup("Music Group", &group), OK);
    char name[256];
    EXPECT_EQ(group.getName(name, sizeof name), OK);
    EXPECT_STREQ(name, "Music Group");
    char small[6];
    EXPECT_EQ(group.getName(small, sizeof small), ERR_TRUNCATED);
    EXPECT_STREQ(small, "Music");
    EXPECT_EQ(group.stop(), OK);
    EXPECT_EQ(ChannelGroup().stop(), ERR_INVALID_HANDLE);
    EXPECT_EQ(ChannelGroup().getName(name, sizeof name), ERR_INVALID_HANDLE);

    EXPECT_EQ(low->set3DSettings(1.0f, 1.0f, 0.1f), OK);
    float doppler = 0, distance = 0, rolloff = 0;
    EXPECT_EQ(low->get3DSettings(&doppler, &distance, &rolloff), OK);
    EXPECT_FLOAT_EQ(rolloff, 0.1f);
    EXPECT_EQ(low->update(), OK);
}

TEST(RuntimeErrors, EveryCodeHasItsOwnText) {
    std::set<std::string> texts;
    for (int code = 0; code < RESULT_COUNT; ++code) {
        std::string text = ErrorString(code);
        EXPECT_FALSE(text.empty());
        EXPECT_NE(text, "Unknown error.");
        texts.insert(text);
    }
    EXPECT_EQ(texts.size(), size_t(RESULT_COUNT));
    EXPECT_STREQ(ErrorString(RESULT_COUNT), "Unknown error.");
    EXPECT_STREQ(ErrorString(-1), "Unknown error.");
}
