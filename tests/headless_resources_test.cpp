// The headless module resources: the compiled-in table found like Windows finds resources, and the
// test controls over it.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "headless/control_resources.h"
#include "tests/saver_test_support.h"

namespace {

class HeadlessResourcesTest : public SaverTest {};

const EmbeddedResource* Embedded(const std::string& type, const std::string& name) {
  for (size_t index = 0; index < embeddedResourceCount; ++index) {
    if (type == embeddedResources[index].type && name == embeddedResources[index].name)
      return &embeddedResources[index];
  }
  return nullptr;
}

TEST_F(HeadlessResourcesTest, NamesAndTypesMatchWithoutCaseAndNumbersEitherWay) {
  const EmbeddedResource* joy = Embedded("SPBMP", "IDR_SPBMP_LOGOJOY");
  ASSERT_NE(nullptr, joy);
  HRSRC found = FindResourceA(nullptr, "idr_spbmp_LogoJoy", "spbmp");
  ASSERT_NE(nullptr, found);
  EXPECT_EQ(found, FindResourceA(GetModuleHandleA(nullptr), "IDR_SPBMP_LOGOJOY", "SPBMP"));
  EXPECT_EQ(joy->size, SizeofResource(nullptr, found));
  EXPECT_EQ(joy->bytes, LockResource(LoadResource(nullptr, found)));

  HRSRC icons = FindResourceA(nullptr, MAKEINTRESOURCE(100), MAKEINTRESOURCE(14));
  ASSERT_NE(nullptr, icons);
  EXPECT_EQ(icons, FindResourceA(nullptr, "#100", "#14"));
  EXPECT_EQ(nullptr, FindResourceA(nullptr, "100", MAKEINTRESOURCE(14)));
  EXPECT_EQ(nullptr, FindResourceA(nullptr, "IDR_SPBMP_LOGOJOY", "SPBMPDATA"));
}

TEST_F(HeadlessResourcesTest, OnlyTheExecutableHasResources) {
  HeadlessAddModule("OTHER.DLL", true);
  EXPECT_EQ(nullptr, FindResourceA(GetModuleHandleA("OTHER.DLL"), "IDR_SPBMP_LOGOJOY", "SPBMP"));
  HRSRC found = FindResourceA(nullptr, "IDR_SPBMP_LOGOJOY", "SPBMP");
  EXPECT_EQ(0u, SizeofResource(GetModuleHandleA("OTHER.DLL"), found));
  EXPECT_EQ(nullptr, LoadResource(nullptr, reinterpret_cast<HRSRC>(0x1234)));
}

TEST_F(HeadlessResourcesTest, TestResourcesReplaceAndRemoveUntilTheMachineIsReset) {
  HeadlessSetResource("wave", "IDR_WAVE_200_2", {1, 2, 3});
  HRSRC replaced = FindResourceA(nullptr, "IDR_WAVE_200_2", "WAVE");
  ASSERT_EQ(3u, SizeofResource(nullptr, replaced));
  EXPECT_EQ(0, std::memcmp("\1\2\3", LockResource(LoadResource(nullptr, replaced)), 3));

  HeadlessRemoveResource("WAVE", "IDR_WAVE_1014_2");
  EXPECT_EQ(nullptr, FindResourceA(nullptr, "IDR_WAVE_1014_2", "WAVE"));

  HeadlessReset();
  HRSRC original = FindResourceA(nullptr, "IDR_WAVE_200_2", "WAVE");
  EXPECT_EQ(Embedded("WAVE", "IDR_WAVE_200_2")->size, SizeofResource(nullptr, original));
  EXPECT_NE(nullptr, FindResourceA(nullptr, "IDR_WAVE_1014_2", "WAVE"));
}

TEST_F(HeadlessResourcesTest, InjectedFailures) {
  HeadlessFailCall("FindResourceA");
  EXPECT_EQ(nullptr, FindResourceA(nullptr, "IDR_SPBMP_LOGOJOY", "SPBMP"));
  HRSRC found = FindResourceA(nullptr, "IDR_SPBMP_LOGOJOY", "SPBMP");
  HeadlessFailCall("SizeofResource");
  HeadlessFailCall("LoadResource");
  EXPECT_EQ(0u, SizeofResource(nullptr, found));
  EXPECT_EQ(nullptr, LoadResource(nullptr, found));
  HeadlessFailCall("LockResource");
  EXPECT_EQ(nullptr, LockResource(LoadResource(nullptr, found)));
}

}  // namespace
