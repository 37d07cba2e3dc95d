// The headless registry as a user without administrator rights meets it: nothing below
// HKEY_LOCAL_MACHINE can be opened for writing, created, set or deleted; reading still works. Values
// change only through a handle opened with the right to change them, for every user. Text is kept
// and read with its terminator, and a missing pointer is refused rather than followed.
#include <functional>
#include <string>
#include <vector>

#include "tests/saver_test_support.h"

namespace {

const char kExisting[] = "SOFTWARE\\Existing";

LSTATUS OpenAndClose(HKEY root, const char* path, REGSAM access) {
  HKEY key = reinterpret_cast<HKEY>(0x1234);
  LSTATUS status = RegOpenKeyExA(root, path, 0, access, &key);
  EXPECT_EQ(status == ERROR_SUCCESS, key != nullptr) << "a failed open of " << path << " leaves no handle";
  if (status == ERROR_SUCCESS)
    RegCloseKey(key);
  return status;
}

LSTATUS CreateAndClose(HKEY root, const char* path, REGSAM access) {
  HKEY key = nullptr;
  DWORD disposition = 0;
  char noClass[] = "";
  LSTATUS status =
      RegCreateKeyExA(root, path, 0, noClass, REG_OPTION_NON_VOLATILE, access, nullptr, &key, &disposition);
  if (status == ERROR_SUCCESS)
    RegCloseKey(key);
  return status;
}

// Runs `use` on the key at path opened with `access`; a failed open is the result.
LSTATUS WithKey(HKEY root, const char* path, REGSAM access, const std::function<LSTATUS(HKEY)>& use) {
  HKEY key = nullptr;
  LSTATUS status = RegOpenKeyExA(root, path, 0, access, &key);
  if (status != ERROR_SUCCESS)
    return status;
  status = use(key);
  RegCloseKey(key);
  return status;
}

LSTATUS SetSound(HKEY key) {
  DWORD value = 0;
  return RegSetValueExA(key, "Sound", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

LSTATUS ReadSound(HKEY key) {
  DWORD value = 0, size = sizeof value;
  return RegQueryValueExA(key, "Sound", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
}

LSTATUS DeleteSound(HKEY key) {
  return RegDeleteValueA(key, "Sound");
}

// Reads `name` into a buffer of `room` bytes: the size it reports, and its first bytes.
LSTATUS ExpectRead(HKEY key, const char* name, DWORD room, DWORD size, const std::string& bytes) {
  std::vector<BYTE> buffer(room, 'x');
  DWORD reported = room;
  const LSTATUS status = RegQueryValueExA(key, name, nullptr, nullptr, buffer.data(), &reported);
  EXPECT_EQ(size, reported) << name;
  EXPECT_EQ(bytes, std::string(buffer.begin(), buffer.begin() + bytes.size())) << name;
  return status;
}

class HeadlessRegistryTest : public SaverTest {
 protected:
  void SetUp() override {
    SaverTest::SetUp();
    HeadlessRegistrySetDword(HKEY_LOCAL_MACHINE, kExisting, "Sound", 1);
    HeadlessRegistrySetDword(HKEY_CURRENT_USER, kExisting, "Sound", 1);
    HeadlessRegistrySet(HKEY_CURRENT_USER, kExisting, "Unterminated", REG_SZ, {'a', 'b', 'c'});
  }
};

TEST_F(HeadlessRegistryTest, StandardUserOnlyReadsBelowTheLocalMachine) {
  const HKEY machine = HKEY_LOCAL_MACHINE, user = HKEY_CURRENT_USER;
  const struct {
    const char* what;
    std::function<LSTATUS()> call;
    LSTATUS asAdministrator;
    LSTATUS asStandardUser;
  } cases[] = {
      {"open for reading", [&] { return OpenAndClose(machine, kExisting, KEY_READ); }, ERROR_SUCCESS,
       ERROR_SUCCESS},
      {"open to set values", [&] { return OpenAndClose(machine, kExisting, KEY_READ | KEY_SET_VALUE); },
       ERROR_SUCCESS, ERROR_ACCESS_DENIED},
      {"open to add keys", [&] { return OpenAndClose(machine, "SOFTWARE", KEY_CREATE_SUB_KEY); },
       ERROR_SUCCESS, ERROR_ACCESS_DENIED},
      {"open with all access", [&] { return OpenAndClose(machine, kExisting, KEY_ALL_ACCESS); },
       ERROR_SUCCESS, ERROR_ACCESS_DENIED},
      {"create a new key for reading", [&] { return CreateAndClose(machine, "SOFTWARE\\New", KEY_READ); },
       ERROR_SUCCESS, ERROR_ACCESS_DENIED},
      {"create an existing key for reading", [&] { return CreateAndClose(machine, kExisting, KEY_READ); },
       ERROR_SUCCESS, ERROR_SUCCESS},
      {"create an existing key for writing", [&] { return CreateAndClose(machine, kExisting, KEY_WRITE); },
       ERROR_SUCCESS, ERROR_ACCESS_DENIED},
      {"read a value", [&] { return WithKey(machine, kExisting, KEY_READ, ReadSound); }, ERROR_SUCCESS,
       ERROR_SUCCESS},
      {"set a value", [&] { return WithKey(machine, kExisting, KEY_SET_VALUE, SetSound); }, ERROR_SUCCESS,
       ERROR_ACCESS_DENIED},
      {"set a value on the root", [&] { return SetSound(machine); }, ERROR_SUCCESS, ERROR_ACCESS_DENIED},
      {"delete a value", [&] { return WithKey(machine, kExisting, KEY_SET_VALUE, DeleteSound); },
       ERROR_SUCCESS, ERROR_ACCESS_DENIED},
      {"set a value of the user", [&] { return WithKey(user, kExisting, KEY_SET_VALUE, SetSound); },
       ERROR_SUCCESS, ERROR_SUCCESS},
      {"create a key of the user", [&] { return CreateAndClose(user, "SOFTWARE\\New", KEY_WRITE); },
       ERROR_SUCCESS, ERROR_SUCCESS},
      {"open a key that is not there", [&] { return OpenAndClose(user, "SOFTWARE\\Missing", KEY_READ); },
       ERROR_FILE_NOT_FOUND, ERROR_FILE_NOT_FOUND},
      {"open with nowhere for the handle",
       [&] { return RegOpenKeyExA(machine, kExisting, 0, KEY_READ, nullptr); }, ERROR_INVALID_PARAMETER,
       ERROR_INVALID_PARAMETER},
      {"open all the user may, with nowhere for the handle",
       [&] { return RegOpenKeyA(user, kExisting, nullptr); }, ERROR_INVALID_PARAMETER,
       ERROR_INVALID_PARAMETER},
  };
  for (bool standardUser : {false, true}) {
    for (const auto& c : Fresh(cases)) {
      HeadlessSetStandardUser(standardUser);
      EXPECT_EQ(standardUser ? c.asStandardUser : c.asAdministrator, c.call())
          << c.what << (standardUser ? " as a standard user" : " as an administrator");
      EXPECT_EQ(0, HeadlessOpenRegistryKeys()) << c.what;
    }
  }
}

TEST_F(HeadlessRegistryTest, ValuesChangeOnlyThroughAHandleWithTheRightToChangeThem) {
  const struct {
    const char* what;
    REGSAM access;
    std::function<LSTATUS(HKEY)> use;
    LSTATUS result;
  } cases[] = {
      {"set through a reading handle", KEY_READ, SetSound, ERROR_ACCESS_DENIED},
      {"delete through a reading handle", KEY_READ, DeleteSound, ERROR_ACCESS_DENIED},
      {"read through a writing handle", KEY_SET_VALUE, ReadSound, ERROR_ACCESS_DENIED},
      {"set through a generic writing handle", 0x40000000, SetSound, ERROR_SUCCESS},
      {"delete twice", KEY_SET_VALUE,
       [](HKEY key) {
         const LSTATUS first = DeleteSound(key);
         return first == ERROR_SUCCESS ? DeleteSound(key) : first;
       },
       ERROR_FILE_NOT_FOUND},
      {"set text without its terminator: it is stored with one", KEY_ALL_ACCESS,
       [](HKEY key) {
         RegSetValueExA(key, "Text", 0, REG_SZ, reinterpret_cast<const BYTE*>("abc"), 3);
         return ExpectRead(key, "Text", 4, 4, std::string("abc", 4));
       },
       ERROR_SUCCESS},
      {"read text stored without a terminator", KEY_READ,
       [](HKEY key) { return ExpectRead(key, "Unterminated", 4, 3, std::string("abc", 4)); }, ERROR_SUCCESS},
      {"read it with no room for the terminator", KEY_READ,
       [](HKEY key) { return ExpectRead(key, "Unterminated", 3, 4, ""); }, ERROR_MORE_DATA},
      {"read a value that is not there", KEY_READ,
       [](HKEY key) { return ExpectRead(key, "Missing", 4, 0, ""); }, ERROR_FILE_NOT_FOUND},
      {"read with no size for the data", KEY_READ,
       [](HKEY key) {
         DWORD value = 0;
         return RegQueryValueExA(key, "Sound", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), nullptr);
       },
       ERROR_INVALID_PARAMETER},
      {"set from no data", KEY_SET_VALUE,
       [](HKEY key) { return RegSetValueExA(key, "Sound", 0, REG_DWORD, nullptr, 4); }, ERROR_NOACCESS},
  };
  for (const auto& c : Fresh(cases)) {
    EXPECT_EQ(c.result, WithKey(HKEY_CURRENT_USER, kExisting, c.access, c.use)) << c.what;
  }
  EXPECT_EQ(ERROR_INVALID_HANDLE, ReadSound(reinterpret_cast<HKEY>(0x1234)));
}

}  // namespace
