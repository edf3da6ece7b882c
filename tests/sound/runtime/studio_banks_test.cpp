// The studio system and its banks: discovery, shared and nested buses, refusals.
#include "tests/sound/runtime/runtime_fixture.h"

using namespace rt_test;

namespace {

template <class Handle>
std::string PathOf(const Handle& h) {
    char path[256] = "";
    EXPECT_EQ(h.getPath(path, sizeof path, nullptr), OK);
    return path;
}

const char* kMaster = R"({"buses": ["bus:/", "bus:/Music", "bus:/SFX"], "note": "unknown keys are ignored",
  "events": [{"path": "event:/Music/Title", "file": "a.wav", "bus": "bus:/Music", "volume": 0.5}, {"path": "event:/SFX/Hit", "file": "a.wav"}]})";

}  // namespace

TEST_F(RuntimeTest, BanksListTheirBusesAndEventsAndShareBusesByPath) {
    Init();
    WriteTone(Path("a.wav"), 0.5);
    Studio::Bank bank = LoadBank("Master.bank", kMaster);
    Studio::Bus buses[3];
    Studio::EventDescription events[2];
    int count = 0;
    EXPECT_EQ(bank.getBusList(buses, 3, &count), OK);
    EXPECT_EQ(bank.getEventList(events, 2, &count), OK);
    EXPECT_EQ(PathOf(bank) + " " + PathOf(buses[0]) + " " + PathOf(buses[2]) + " " + PathOf(events[1]),
              "bank:/Master bus:/ bus:/SFX event:/SFX/Hit");

    // A second bank naming bus:/SFX gets the same bus, and the undeclared bus
    // between it and a deeper one exists: muting bus:/SFX reaches two levels down.
    LoadBank("Level.bank", R"({"buses": ["bus:/SFX", "bus:/SFX/Steps/Stone"],
        "events": [{"path": "event:/SFX/Step", "file": "a.wav", "bus": "bus:/SFX/Steps/Stone"}]})");
    Studio::Bus sfx;
    ASSERT_EQ(system_->getBus("bus:/SFX", &sfx), OK);
    EXPECT_EQ(sfx.slot, buses[2].slot);
    EXPECT_EQ(system_->getBus("bus:/SFX/Steps", &buses[0]), OK);
    EXPECT_EQ(system_->getBus("bus:/Voices", &buses[0]), ERR_BUS_NOT_FOUND);
    Studio::EventInstance step = Instance("event:/SFX/Step"), title = Instance("event:/Music/Title");
    ASSERT_EQ(step.start(), OK);
    ASSERT_EQ(title.start(), OK);
    EXPECT_EQ(sfx.setMute(true), OK);
    EXPECT_EQ(std::pair(Final(step), Final(title)), std::pair(0.0f, 0.5f));  // the event's own volume
    EXPECT_EQ(State(step), Studio::PLAYBACK_PLAYING);  // muted, not stopped
}

TEST_F(RuntimeTest, RefusedBanksSayWhyReadAsFailedAndLoadOnceFixed) {
    Init();
    Studio::Bank master = LoadBank("Master.bank", kMaster);
    const std::string deep(1001, '[');  // past the JSON reader's nesting limit
    for (auto [file, json, result, detail] :
         {std::tuple{"Broken.bank", R"({"events": [{"path": "event:/A", "file": "a.wav", "bus": "bus:/Nope"}]})",
                     ERR_FILE_BAD, ": events[0] (event:/A): bus \"bus:/Nope\" is not declared in \"buses\""},
          {"Twice.bank", R"({"events": [{"path": "event:/B", "file": "a"}, {"path": "event:/B", "file": "b"}]})", ERR_FILE_BAD,
           ": events[1] (event:/B): the event is listed twice"},
          {"Copy.bank", R"({"events": [{"path": "event:/SFX/Hit", "file": "x.wav"}]})", ERR_FILE_BAD,
           ": events[0] (event:/SFX/Hit): the event is already defined by another bank"},
          {"Missing.bank", "", ERR_FILE_NOT_FOUND, ": cannot open"},
          {"Deep.bank", deep.c_str(), ERR_FILE_BAD, ": not valid JSON: Exceeded stackLimit"}}) {
        if (*json) WriteText(Path(file), json);
        Studio::Bank bank;
        Studio::LOADING_STATE state = Studio::LOADING_STATE_LOADED, samples = Studio::LOADING_STATE_LOADED;
        EXPECT_EQ(system_->loadBankFile(Path(file).c_str(), 0, &bank), result) << file;
        EXPECT_EQ(std::string(LastErrorDetail()).rfind(Path(file) + detail, 0), 0u) << LastErrorDetail();
        bank.getLoadingState(&state);
        bank.getSampleLoadingState(&samples);
        EXPECT_EQ(std::pair(state, samples), std::pair(Studio::LOADING_STATE_ERROR, Studio::LOADING_STATE_ERROR));
    }
    WriteText(Path("Broken.bank"), R"({"events": [{"path": "event:/A", "file": "a.wav"}]})");
    Studio::Bank bank;
    EXPECT_EQ(system_->loadBankFile(Path("Broken.bank").c_str(), 0, &bank), OK) << LastErrorDetail();
    EXPECT_EQ(system_->loadBankFile(Path("Master.bank").c_str(), 0, &bank), ERR_BANK_ALREADY_LOADED);
    EXPECT_EQ(bank.slot, master.slot);
}
