// The Sound, Size and Monitors settings: read at the saver's start, shown and written by the
// configuration dialog.
#include <functional>
#include <string>
#include <vector>

#include "app/settings.h"
#include "scene/sound_cues.h"
#include "tests/saver_test_support.h"

namespace {

const char kSaverKey[] = "SOFTWARE\\NUVARIS\\ORUScreenSaver\\LOMLOM_ACTION_2";
const int kPlaySound = 1003;
const int kSizeList = 1004;
const int kMonitorsList = 1005;

// A user's choice in one of the dialog's lists.
struct Pick {
  int list;
  int index;
};

class SettingsTest : public SaverTest {
 protected:
  void SetUp() override {
    SaverTest::SetUp();
    HeadlessRegistryCreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE");
    HeadlessRegistryCreateKey(HKEY_CURRENT_USER, "Software");
  }
  // Opens the configuration dialog; `clicks` are the user's, the last one normally OK or Cancel.
  // `beforeClicks` runs once the dialog shows the setting.
  // `picks` come before the clicks.
  int Configure(std::vector<int> clicks, bool* shownChecked = nullptr,
                std::function<void()> beforeClicks = nullptr, std::vector<Pick> picks = {}) {
    HeadlessSetDialogScript([=](HWND dialog) {
      if (shownChecked)
        *shownChecked = HeadlessDialogItemChecked(dialog, kPlaySound);
      if (beforeClicks)
        beforeClicks();
      for (const Pick& pick : picks)
        HeadlessSelectComboItem(dialog, pick.list, pick.index);
      for (int item : clicks)
        HeadlessClickDialogButton(dialog, item);
    });
    return RunMode("/c");
  }
  // What the dialog shows when it opens, as "sound 1 size 0 monitors 0" (-1 for a list without a
  // selection); Cancel closes it.
  std::string Shown() {
    std::string shown;
    HeadlessSetDialogScript([&](HWND dialog) {
      shown = "sound " + std::to_string(HeadlessDialogItemChecked(dialog, kPlaySound)) + " size " +
              std::to_string(HeadlessComboSelection(dialog, kSizeList)) + " monitors " +
              std::to_string(HeadlessComboSelection(dialog, kMonitorsList));
      HeadlessClickDialogButton(dialog, IDCANCEL);
    });
    RunMode("/c");
    return shown;
  }
  // The three values below `root` in the same form: "-" for one that is absent, "?" for one that is
  // no REG_DWORD.
  std::string StoredAll(HKEY root = HKEY_LOCAL_MACHINE) {
    const struct {
      const char* name;
      const char* shown;
    } values[] = {{"Sound", "sound"}, {"Size", " size"}, {"Monitors", " monitors"}};
    std::string stored;
    for (const auto& value : values) {
      DWORD type = 0;
      std::vector<BYTE> data;
      std::string text = "-";
      if (HeadlessRegistryGet(root, kSaverKey, value.name, &type, &data))
        text = type == REG_DWORD && data.size() == 4 ? std::to_string(data[0] | data[1] << 8) : "?";
      stored += value.shown + (" " + text);
    }
    return stored;
  }
  bool StoredSound(DWORD* type, std::vector<BYTE>* data, HKEY root = HKEY_LOCAL_MACHINE) {
    return HeadlessRegistryGet(root, kSaverKey, "Sound", type, data);
  }
  // The stored Sound below `root` as text: "absent", or its type and first byte.
  std::string Stored(HKEY root) {
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!StoredSound(&type, &data, root))
      return "absent";
    return "type " + std::to_string(type) + " value " + (data.empty() ? "none" : std::to_string(data[0]));
  }
  int SaverSoundGate() {
    PostToSaverAt(2000, WM_KEYDOWN, 'A');
    RunMode("/s");
    return SoundEnabled;
  }
};

TEST_F(SettingsTest, NoKeyMeansSoundOnAndTheFirstChoiceOfEachList) {
  std::vector<std::string> sizes, monitors;
  HeadlessSetDialogScript([&](HWND dialog) {
    sizes = HeadlessComboItems(dialog, kSizeList);
    monitors = HeadlessComboItems(dialog, kMonitorsList);
    HeadlessClickDialogButton(dialog, IDCANCEL);
  });
  EXPECT_EQ(0, RunMode("/c"));
  EXPECT_EQ((std::vector<std::string>{"As the display scales it", "Actual pixels", "As large as fits"}),
            sizes);
  EXPECT_EQ((std::vector<std::string>{"The main monitor", "Every monitor"}), monitors);
  EXPECT_EQ("sound 1 size 0 monitors 0", Shown());
  EXPECT_EQ(1, SaverSoundGate());
  EXPECT_EQ(0, HeadlessOpenRegistryKeys());
}

// A value above a setting's highest reads as its default.
TEST_F(SettingsTest, StoredValuesAsShownAndUsed) {
  struct Case {
    const char* name;
    DWORD stored;
    const char* shown;
    int gate;
  } cases[] = {{"Sound", 0, "sound 0 size 0 monitors 0", 0},
               {"Sound", 1, "sound 1 size 0 monitors 0", 1},
               {"Sound", 7, "sound 1 size 0 monitors 0", 1},
               {"Size", 1, "sound 1 size 1 monitors 0", 1},
               {"Size", 2, "sound 1 size 2 monitors 0", 1},
               {"Size", 3, "sound 1 size 0 monitors 0", 1},
               {"Size", 0xFFFFFFFF, "sound 1 size 0 monitors 0", 1},
               {"Monitors", 1, "sound 1 size 0 monitors 1", 1},
               {"Monitors", 2, "sound 1 size 0 monitors 0", 1},
               {"Monitors", 0x10001, "sound 1 size 0 monitors 0", 1}};
  for (const Case& c : Fresh(cases)) {
    HeadlessRegistrySetDword(HKEY_LOCAL_MACHINE, kSaverKey, c.name, c.stored);
    EXPECT_EQ(c.shown, Shown()) << c.name << " " << c.stored;
    EXPECT_EQ(c.gate, SaverSoundGate()) << c.name << " " << c.stored;
  }
}

// Every value is written, and the dialog opened again shows it.
TEST_F(SettingsTest, OkWritesTheBoxAndTheListsAndCreatesTheKey) {
  struct Case {
    std::vector<int> clicks;
    std::vector<Pick> picks;
    const char* stored;
    int gate;
  } cases[] = {
      {{kPlaySound, IDOK}, {}, "sound 0 size 0 monitors 0", 0},
      {{IDOK}, {{kSizeList, 1}}, "sound 1 size 1 monitors 0", 1},
      {{IDOK}, {{kSizeList, 2}, {kMonitorsList, 1}}, "sound 1 size 2 monitors 1", 1},
      {{IDOK},
       {{kSizeList, 2}, {kSizeList, 0}, {kMonitorsList, 1}, {kMonitorsList, 0}},
       "sound 1 size 0 monitors 0",
       1},
  };
  for (const Case& c : Fresh(cases)) {
    EXPECT_EQ(1, Configure(c.clicks, nullptr, nullptr, c.picks)) << c.stored;
    EXPECT_EQ(c.stored, StoredAll()) << c.stored;
    EXPECT_EQ(c.stored, Shown()) << c.stored;
    EXPECT_EQ(c.gate, SaverSoundGate()) << c.stored;
  }
}

TEST_F(SettingsTest, OkNormalisesAnOddValueToOne) {
  HeadlessRegistrySetDword(HKEY_LOCAL_MACHINE, kSaverKey, "Sound", 7);
  Configure({IDOK});
  DWORD type = 0;
  std::vector<BYTE> data;
  ASSERT_TRUE(StoredSound(&type, &data));
  EXPECT_EQ((std::vector<BYTE>{1, 0, 0, 0}), data);
}

TEST_F(SettingsTest, CancelWritesNothing) {
  Configure({kPlaySound, IDCANCEL}, nullptr, nullptr, {{kSizeList, 2}, {kMonitorsList, 1}});
  EXPECT_EQ("sound - size - monitors -", StoredAll());
  EXPECT_EQ(0, CountCalls("RegSetValueExA"));
}

TEST_F(SettingsTest, OversizedValueCannotBeReadAndGivesTheDefault) {
  HeadlessRegistrySet(HKEY_LOCAL_MACHINE, kSaverKey, "Sound", REG_BINARY, {0, 0, 0, 0, 0});
  bool checked = false;
  Configure({IDCANCEL}, &checked);
  EXPECT_TRUE(checked);
  EXPECT_EQ(1, SaverSoundGate());
}

TEST_F(SettingsTest, ShortValueOfAnotherTypeIsReadAndWrittenBackAsItWas) {
  HeadlessRegistrySet(HKEY_LOCAL_MACHINE, kSaverKey, "Sound", REG_BINARY, {0});
  bool checked = true;
  Configure({kPlaySound, IDOK}, &checked);
  EXPECT_FALSE(checked);
  DWORD type = 0;
  std::vector<BYTE> data;
  ASSERT_TRUE(StoredSound(&type, &data));
  EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
  EXPECT_EQ((std::vector<BYTE>{1}), data);
}

TEST_F(SettingsTest, UnreadableParentKeyLeavesTheSaverSilent) {
  HeadlessFailCall("RegOpenKeyExA", 2);
  EXPECT_EQ(0, SaverSoundGate());
}

TEST_F(SettingsTest, FailedWriteStillClosesTheDialogWithOk) {
  HeadlessFailCall("RegSetValueExA", 6);  // every value, in the machine's key and the user's
  EXPECT_EQ(1, Configure({IDOK}));
  ASSERT_EQ(3, settingsKey.valueCount);
  for (int i = 0; i < settingsKey.valueCount; ++i)
    EXPECT_EQ(kSettingWriteFailed, settingsKey.values[i].status) << settingsKey.values[i].name;
  EXPECT_EQ(0, HeadlessOpenRegistryKeys());
}

// A user who may not write the machine's key keeps the choice in their own key, at the same path.
TEST_F(SettingsTest, RefusedMachineWriteGoesToTheUsersKey) {
  for (const char* refused : Fresh({"RegOpenKeyExA", "RegCreateKeyExA", "RegSetValueExA"})) {
    EXPECT_EQ(1, Configure({kPlaySound, IDOK}, nullptr, [=] { HeadlessFailCall(refused); })) << refused;
    EXPECT_EQ("type 4 value 0", Stored(HKEY_CURRENT_USER)) << refused;
    EXPECT_EQ(0, SaverSoundGate()) << refused;
    bool checked = true;
    Configure({IDCANCEL}, &checked);
    EXPECT_FALSE(checked) << refused << ": the dialog shows what the user chose";
    EXPECT_EQ(0, HeadlessOpenRegistryKeys()) << refused;
  }
}

TEST_F(SettingsTest, StandardUsersChoiceSticksInTheirOwnKey) {
  HeadlessRegistrySetDword(HKEY_LOCAL_MACHINE, kSaverKey, "Sound", 1);
  HeadlessRegistrySetDword(HKEY_LOCAL_MACHINE, kSaverKey, "Size", 1);
  HeadlessSetStandardUser(true);
  EXPECT_EQ(1, Configure({kPlaySound, IDOK}, nullptr, nullptr, {{kSizeList, 2}, {kMonitorsList, 1}}));
  EXPECT_EQ("sound 1 size 1 monitors -", StoredAll(HKEY_LOCAL_MACHINE))
      << "the machine's key refuses the write";
  EXPECT_EQ("sound 0 size 2 monitors 1", StoredAll(HKEY_CURRENT_USER));
  EXPECT_EQ("sound 0 size 2 monitors 1", Shown());
  EXPECT_EQ(0, SaverSoundGate());
}

TEST_F(SettingsTest, WrittenMachineKeyLeavesTheUsersKeyAlone) {
  Configure({kPlaySound, IDOK});
  EXPECT_EQ("type 4 value 0", Stored(HKEY_LOCAL_MACHINE));
  EXPECT_EQ("absent", Stored(HKEY_CURRENT_USER));
}

TEST_F(SettingsTest, UsersValueWinsOverTheMachines) {
  struct Case {
    DWORD machine;
    DWORD user;
    bool shownChecked;
    int gate;
  } cases[] = {{1, 0, false, 0}, {0, 1, true, 1}, {0, 7, true, 1}};
  for (const Case& c : Fresh(cases)) {
    HeadlessRegistrySetDword(HKEY_LOCAL_MACHINE, kSaverKey, "Sound", c.machine);
    HeadlessRegistrySetDword(HKEY_CURRENT_USER, kSaverKey, "Sound", c.user);
    bool checked = !c.shownChecked;
    Configure({IDCANCEL}, &checked);
    EXPECT_EQ(c.shownChecked, checked) << "machine " << c.machine << " user " << c.user;
    EXPECT_EQ(c.gate, SaverSoundGate()) << "machine " << c.machine << " user " << c.user;
  }
}

TEST_F(SettingsTest, UnreadableOrMissingUsersValueLeavesTheMachinesInForce) {
  for (bool oversized : Fresh({true, false})) {
    HeadlessRegistrySetDword(HKEY_LOCAL_MACHINE, kSaverKey, "Sound", 0);
    if (oversized)
      HeadlessRegistrySet(HKEY_CURRENT_USER, kSaverKey, "Sound", REG_BINARY, {1, 0, 0, 0, 0});
    else
      HeadlessRegistryCreateKey(HKEY_CURRENT_USER, kSaverKey);
    EXPECT_EQ(0, SaverSoundGate()) << (oversized ? "oversized" : "missing");
  }
}

// Otherwise an administrator's later choice would stay hidden behind the user's older one.
TEST_F(SettingsTest, OkRewritesTheUsersValueToo) {
  HeadlessRegistrySetDword(HKEY_CURRENT_USER, kSaverKey, "Sound", 0);
  bool checked = true;
  Configure({kPlaySound, IDOK}, &checked);
  EXPECT_FALSE(checked);
  EXPECT_EQ("type 4 value 1", Stored(HKEY_LOCAL_MACHINE));
  EXPECT_EQ("type 4 value 1", Stored(HKEY_CURRENT_USER));
  EXPECT_EQ(1, SaverSoundGate());
}

TEST_F(SettingsTest, ConfigurationAtAnUnsuitableDepthShowsNoDialog) {
  HeadlessSetBitsPerPixel(4);
  EXPECT_EQ(0, Configure({IDOK}));
  EXPECT_EQ(0, CountCalls("DialogBoxParamA"));
  ASSERT_EQ(1u, HeadlessMessageBoxes().size());
  EXPECT_EQ(nullptr, HeadlessMessageBoxes()[0].owner);
  EXPECT_EQ(1, CountCalls("CreateProcessA"));
}

}  // namespace
