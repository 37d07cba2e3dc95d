// The Sound setting: read at the saver's start, shown and written by the configuration dialog.
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
  }
  // Opens the configuration dialog; `clicks` are the user's, the last one normally OK or Cancel.
  int Configure(std::vector<int> clicks, bool* shownChecked = nullptr) {
    HeadlessSetDialogScript([=](HWND dialog) {
      if (shownChecked)
        *shownChecked = HeadlessDialogItemChecked(dialog, kPlaySound);
      for (int item : clicks)
        HeadlessClickDialogButton(dialog, item);
    });
    return RunMode("/c");
  }
  bool StoredSound(DWORD* type, std::vector<BYTE>* data) {
    return HeadlessRegistryGet(HKEY_LOCAL_MACHINE, kSaverKey, "Sound", type, data);
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
  for (const Case& c : cases) {
    SetUp();
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
  HeadlessFailCall("RegOpenKeyExA");
  EXPECT_EQ(0, SaverSoundGate());
}

TEST_F(SettingsTest, FailedWriteStillClosesTheDialogWithOk) {
  HeadlessFailCall("RegSetValueExA");
  EXPECT_EQ(1, Configure({IDOK}));
  EXPECT_EQ(SettingWriteFailed, settingsKey.values[0].status);
  EXPECT_EQ(0, HeadlessOpenRegistryKeys());
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
