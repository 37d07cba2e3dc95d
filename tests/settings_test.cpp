// The Sound setting: read at the saver's start, shown and written by the configuration dialog.
#include <functional>
#include <string>
#include <vector>

#include "app/settings.h"
#include "scene/sound_cues.h"
#include "tests/saver_test_support.h"

namespace {

const char kSaverKey[] = "SOFTWARE\\NUVARIS\\ORUScreenSaver\\LOMLOM_ACTION_2";
const int kPlaySound = 1003;

class SettingsTest : public SaverTest {
 protected:
  void SetUp() override {
    SaverTest::SetUp();
    HeadlessRegistryCreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE");
    HeadlessRegistryCreateKey(HKEY_CURRENT_USER, "Software");
  }
  // Opens the configuration dialog; `clicks` are the user's, the last one normally OK or Cancel.
  // `beforeClicks` runs once the dialog shows the setting.
  int Configure(std::vector<int> clicks, bool* shownChecked = nullptr,
                std::function<void()> beforeClicks = nullptr) {
    HeadlessSetDialogScript([=](HWND dialog) {
      if (shownChecked)
        *shownChecked = HeadlessDialogItemChecked(dialog, kPlaySound);
      if (beforeClicks)
        beforeClicks();
      for (int item : clicks)
        HeadlessClickDialogButton(dialog, item);
    });
    return RunMode("/c");
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

TEST_F(SettingsTest, NoKeyMeansSoundOn) {
  bool checked = false;
  EXPECT_EQ(0, Configure({IDCANCEL}, &checked));
  EXPECT_TRUE(checked);
  EXPECT_EQ(1, SaverSoundGate());
  EXPECT_EQ(0, HeadlessOpenRegistryKeys());
}

TEST_F(SettingsTest, StoredValuesAsShownAndUsed) {
  struct Case {
    DWORD stored;
    bool shownChecked;
    int gate;
  } cases[] = {{0, false, 0}, {1, true, 1}, {7, true, 1}};
  for (const Case& c : Fresh(cases)) {
    HeadlessRegistrySetDword(HKEY_LOCAL_MACHINE, kSaverKey, "Sound", c.stored);
    bool checked = !c.shownChecked;
    Configure({IDCANCEL}, &checked);
    EXPECT_EQ(c.shownChecked, checked) << c.stored;
    EXPECT_EQ(c.gate, SaverSoundGate()) << c.stored;
  }
}

TEST_F(SettingsTest, OkWritesTheBoxAndCreatesTheKey) {
  EXPECT_EQ(1, Configure({kPlaySound, IDOK}));
  DWORD type = 0;
  std::vector<BYTE> data;
  ASSERT_TRUE(StoredSound(&type, &data));
  EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
  EXPECT_EQ((std::vector<BYTE>{0, 0, 0, 0}), data);
  EXPECT_EQ(0, SaverSoundGate());
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
  Configure({kPlaySound, IDCANCEL});
  DWORD type = 0;
  std::vector<BYTE> data;
  EXPECT_FALSE(StoredSound(&type, &data));
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
  HeadlessFailCall("RegSetValueExA", 2);
  EXPECT_EQ(1, Configure({IDOK}));
  EXPECT_EQ(kSettingWriteFailed, settingsKey.values[0].status);
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
  HeadlessSetStandardUser(true);
  EXPECT_EQ(1, Configure({kPlaySound, IDOK}));
  EXPECT_EQ("type 4 value 1", Stored(HKEY_LOCAL_MACHINE)) << "the machine's key refuses the write";
  EXPECT_EQ("type 4 value 0", Stored(HKEY_CURRENT_USER));
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
