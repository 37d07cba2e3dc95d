// Hostile input wherever the saver reads it: generated command lines and every registry type and size
// of the stored setting. Each class has one defined outcome; the sanitizers of the native build catch
// any read past the text.
#include <cstdint>
#include <string>
#include <vector>

#include "app/settings.h"
#include "headless/control_system.h"
#include "host/entry.h"
#include "host/host_state.h"
#include "scene/sound_cues.h"
#include "tests/saver_test_support.h"

namespace {

enum class Outcome { Configuration, Saving, Preview, PasswordChange, Refused };

const char* Name(Outcome outcome) {
  switch (outcome) {
    case Outcome::Configuration:
      return "configuration";
    case Outcome::Saving:
      return "saving";
    case Outcome::Preview:
      return "preview";
    case Outcome::PasswordChange:
      return "password change";
    case Outcome::Refused:
      return "refused";
  }
  return "?";
}

int ExitCodeOf(Outcome outcome) {
  return outcome == Outcome::Refused ? -1 : 0;
}

struct HostileLine {
  std::string commandLine;
  Outcome expected;
  HWND owner;  // password change only: the owner it must be handed
};

struct HostileClass {
  const char* name;
  std::vector<HostileLine> lines;
};

HWND changeOwner;
int changeCalls;
DWORD WINAPI RecordChange(LPCSTR, HWND owner, DWORD, LPVOID) {
  changeOwner = owner;
  ++changeCalls;
  return 0;
}

// The windows every run finds, numbered alike after each reset because they are made in this order.
struct Machine {
  HWND previewHost;
  HWND ownerWindow;
  HWND foreground;
};

Machine PrepareMachine() {
  // The modes do not depend on the screen; a small one keeps the many saving runs cheap.
  HeadlessSetScreen(64, 48);
  HeadlessSetPlatform(VER_PLATFORM_WIN32_WINDOWS);
  HeadlessSetCodePage(932);
  HeadlessAddModule("MPR.DLL", false);
  HeadlessAddExport("MPR.DLL", "PwdChangePasswordA", AsExport(RecordChange));
  Machine machine;
  machine.previewHost = HeadlessCreateForeignWindow("Display Properties", 152, 112);
  machine.ownerWindow = HeadlessCreateForeignWindow("Owner", 10, 10);
  machine.foreground = HeadlessCreateForeignWindow("Foreground", 10, 10);
  SetForegroundWindow(machine.foreground);
  HeadlessSetDialogScript([](HWND dialog) { HeadlessClickDialogButton(dialog, IDCANCEL); });
  return machine;
}

std::string Number(HWND window) {
  return WindowNumber(window);
}

std::string Wrapped(HWND window, uint64_t turns) {
  return std::to_string(reinterpret_cast<uintptr_t>(window) + (turns << 32));
}

std::vector<std::string> Strings(const std::string& alphabet, size_t longest) {
  std::vector<std::string> all = {""};
  std::vector<std::string> previous = {""};
  for (size_t length = 1; length <= longest; ++length) {
    std::vector<std::string> next;
    for (const std::string& start : previous) {
      for (char c : alphabet)
        next.push_back(start + c);
    }
    all.insert(all.end(), next.begin(), next.end());
    previous = next;
  }
  return all;
}

bool HasModeSeparator(const std::string& text) {
  return text.find_first_of("-/") != std::string::npos;
}

std::vector<unsigned char> LeadBytes() {
  std::vector<unsigned char> leads;
  for (int byte = 0x81; byte <= 0xFC; ++byte) {
    if (byte <= 0x9F || byte >= 0xE0)
      leads.push_back(static_cast<unsigned char>(byte));
  }
  return leads;
}

std::vector<HostileClass> HostileClasses(const Machine& m) {
  const std::string host = Number(m.previewHost);
  const std::string kb(4096, '9');
  std::vector<HostileClass> classes;

  classes.push_back(
      {"empty", {{"", Outcome::Configuration, nullptr}, {"lomlom.scr", Outcome::Configuration, nullptr}}});

  HostileClass separators{"only separators", {}};
  for (const std::string& s : Strings(" -/", 5)) {
    separators.lines.push_back({"lomlom.scr " + s, Outcome::Configuration, nullptr});
    // Tabs directly after the program name are white space; after a mode separator they are a mode.
    separators.lines.push_back(
        {"lomlom.scr\t" + s + "\ts", HasModeSeparator(s) ? Outcome::Refused : Outcome::Saving, nullptr});
  }
  for (const std::string& s : Strings(" \t", 6))
    separators.lines.push_back({s, Outcome::Configuration, nullptr});
  classes.push_back(separators);

  HostileClass digits{"4 KB of digits", {}};
  for (char d = '0'; d <= '9'; ++d) {
    const std::string run(4096, d);
    digits.lines.push_back({"lomlom.scr /p " + run, Outcome::Refused, nullptr});
    digits.lines.push_back({"lomlom.scr " + run, Outcome::Refused, nullptr});
    digits.lines.push_back({"lomlom.scr /a " + run, Outcome::PasswordChange, m.foreground});
  }
  digits.lines.push_back(
      {"lomlom.scr /p " + std::string(4096 - host.size(), '0') + host, Outcome::Preview, nullptr});
  digits.lines.push_back({"lomlom.scr /s" + kb, Outcome::Saving, nullptr});
  digits.lines.push_back({"lomlom.scr /c" + kb, Outcome::Configuration, nullptr});
  digits.lines.push_back({std::string(4096, 'x') + " /s", Outcome::Saving, nullptr});
  digits.lines.push_back({"\"" + std::string(4096, 'x') + "\" /s", Outcome::Saving, nullptr});
  classes.push_back(digits);

  HostileClass past{"window numbers past 2^32", {}};
  for (uint64_t turns : {1ull, 2ull, 255ull, 65536ull, 4294967295ull}) {
    past.lines.push_back({"lomlom.scr /p " + Wrapped(m.previewHost, turns), Outcome::Preview, nullptr});
    past.lines.push_back(
        {"lomlom.scr /a " + Wrapped(m.ownerWindow, turns), Outcome::PasswordChange, m.ownerWindow});
  }
  for (const char* number : {"4294967296", "4294967295", "18446744073709551616", "99999999999999999999999"}) {
    past.lines.push_back({std::string("lomlom.scr /p ") + number, Outcome::Refused, nullptr});
    past.lines.push_back({std::string("lomlom.scr /a ") + number, Outcome::PasswordChange, m.foreground});
  }
  classes.push_back(past);

  HostileClass lead{"lead bytes of double-byte characters at the end", {}};
  for (unsigned char byte : LeadBytes()) {
    const std::string b(1, static_cast<char>(byte));
    lead.lines.push_back({"lomlom.scr" + b, Outcome::Configuration, nullptr});
    lead.lines.push_back({"\"lomlom.scr" + b, Outcome::Configuration, nullptr});
    lead.lines.push_back({"lomlom.scr /s" + b, Outcome::Saving, nullptr});
    lead.lines.push_back({"lomlom.scr /p " + host + b, Outcome::Preview, nullptr});
    lead.lines.push_back({"lomlom.scr /a" + b, Outcome::PasswordChange, m.foreground});
    lead.lines.push_back({"lomlom.scr " + b, Outcome::Refused, nullptr});
    // The byte after a lead byte belongs to its character, even a space or the closing quote.
    lead.lines.push_back({"lomlom" + b + " /s", Outcome::Configuration, nullptr});
    lead.lines.push_back({"\"lomlom" + b + "\" /s", Outcome::Configuration, nullptr});
  }
  lead.lines.push_back({"\"C:\\\x83\x65\x83\x58\x83\x67\\lomlom.scr\" /s", Outcome::Saving, nullptr});
  lead.lines.push_back({"\"C:\\\x95\x5C\\lomlom.scr\" /s", Outcome::Saving, nullptr});
  classes.push_back(lead);

  classes.push_back(
      {"embedded tabs and quotes",
       {{"lomlom.scr\t/s", Outcome::Saving, nullptr},
        {"lomlom.scr\t\t \t/s", Outcome::Saving, nullptr},
        {"lomlom.scr /\ts", Outcome::Refused, nullptr},
        {"lomlom.scr -\ts", Outcome::Refused, nullptr},
        {"lomlom.scr \t", Outcome::Configuration, nullptr},
        {"lomlom.scr \"/s\"", Outcome::Refused, nullptr},
        {"\"lomlom.scr\"\"/s\"", Outcome::Refused, nullptr},
        {"\"lomlom.scr\"/s", Outcome::Saving, nullptr},
        {"lo\"mlom.scr /s", Outcome::Saving, nullptr},
        {"\"lomlom\tscr\" /s", Outcome::Saving, nullptr},
        {"\"\" /s", Outcome::Saving, nullptr},
        {"\"", Outcome::Configuration, nullptr},
        {"\"\"", Outcome::Configuration, nullptr},
        {"\"lomlom.scr /s", Outcome::Configuration, nullptr},
        {"lomlom.scr /p\t" + host, Outcome::Refused, nullptr},
        {"lomlom.scr /p \"" + host + "\"", Outcome::Refused, nullptr},
        {"lomlom.scr /p " + host + "\t\"", Outcome::Preview, nullptr},
        {"lomlom.scr /a\t" + Number(m.ownerWindow), Outcome::PasswordChange, m.foreground},
        {"lomlom.scr /a \"" + Number(m.ownerWindow), Outcome::PasswordChange, m.foreground},
        {"lomlom.scr /a " + Number(m.ownerWindow) + "\"\t", Outcome::PasswordChange, m.ownerWindow}}});
  return classes;
}

// Runs the process entry on `commandLine` and tells which mode ran.
Outcome RunEntry(const std::string& commandLine, int* exitCode) {
  HeadlessSetCommandLine(commandLine);
  PostToSaverAt(HeadlessNow(), WM_KEYDOWN, 'A');
  HeadlessAt(HeadlessNow() + 1, [] { DestroyWindow(hostState.saverWindow); });
  try {
    SaverEntry();
  } catch (const HeadlessExit& exit) {
    *exitCode = static_cast<int>(exit.code);
  }
  std::vector<std::string> windows = HeadlessCallsOf("CreateWindowExA");
  int modes = CountCalls("DialogBoxParamA") + static_cast<int>(windows.size()) + changeCalls;
  if (modes != 1)
    return Outcome::Refused;
  if (CountCalls("DialogBoxParamA"))
    return Outcome::Configuration;
  if (changeCalls)
    return Outcome::PasswordChange;
  return windows[0].find("title=Preview") != std::string::npos ? Outcome::Preview : Outcome::Saving;
}

class HostileInputTest : public SaverTest {};

TEST_F(HostileInputTest, EveryCommandLineClassHasItsOutcome) {
  Machine machine = PrepareMachine();
  for (const HostileClass& hostile : HostileClasses(machine)) {
    int failures = 0;
    for (const HostileLine& line : Fresh(hostile.lines)) {
      PrepareMachine();
      changeOwner = nullptr;
      changeCalls = 0;
      int exitCode = 12345;
      Outcome outcome = RunEntry(line.commandLine, &exitCode);
      bool ok = outcome == line.expected && exitCode == ExitCodeOf(line.expected) &&
                (line.expected != Outcome::PasswordChange || changeOwner == line.owner);
      if (!ok && ++failures <= 5) {
        ADD_FAILURE() << hostile.name << ": command line of " << line.commandLine.size() << " bytes \""
                      << line.commandLine.substr(0, 60) << "\": expected " << Name(line.expected) << " (exit "
                      << ExitCodeOf(line.expected) << "), got " << Name(outcome) << " (exit " << exitCode
                      << ")";
      }
    }
    EXPECT_EQ(0, failures) << hostile.name << ": " << hostile.lines.size() << " command lines";
  }
}

const char kSaverKey[] = "SOFTWARE\\NUVARIS\\ORUScreenSaver\\LOMLOM_ACTION_2";

// Every registry type there is, and one there is not.
const DWORD kRegistryTypes[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 0xFFFFFFFF};
const size_t kLongestStored = 64;

std::vector<BYTE> StoredBytes(size_t size, bool zero) {
  std::vector<BYTE> data(size);
  for (size_t i = 0; i < size; ++i)
    data[i] = zero ? 0 : static_cast<BYTE>(i + 1);
  return data;
}

// Text stored without its terminator is read with one added, so it needs a byte more of room, and is
// stored with one when it is written.
bool Unterminated(DWORD type, const std::vector<BYTE>& data) {
  return type == REG_SZ && (data.empty() || data.back() != 0);
}

bool Readable(DWORD type, const std::vector<BYTE>& data) {
  return data.size() + (Unterminated(type, data) ? 1 : 0) <= sizeof(DWORD);
}

// What the saver makes of a stored value: one that fits is read into the 32-bit setting as it is
// (any non-zero value means sound); a longer one cannot be read and the default, sound, applies.
bool SoundFrom(DWORD type, const std::vector<BYTE>& data) {
  if (!Readable(type, data))
    return true;
  for (BYTE byte : data) {
    if (byte)
      return true;
  }
  return false;
}

// The value stored in one of the saver's keys, on a machine that has its software key as every
// machine does.
void StoreSound(HKEY root, DWORD type, const std::vector<BYTE>& data) {
  HeadlessRegistryCreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE");
  HeadlessRegistrySet(root, kSaverKey, "Sound", type, data);
}

class StoredSoundTest : public SaverTest {
 protected:
  void CheckEveryTypeAndSize(HKEY root);
};

void StoredSoundTest::CheckEveryTypeAndSize(HKEY root) {
  int failures = 0;
  int runs = 0;
  for (DWORD type : kRegistryTypes) {
    for (size_t size = 0; size <= kLongestStored; ++size) {
      for (bool zero : {true, false}) {
        const std::vector<BYTE> data = StoredBytes(size, zero);
        const bool sound = SoundFrom(type, data);
        // Saving mode: the scene's sound gate.
        SetUp();
        StoreSound(root, type, data);
        // Read at creation, whatever the screen: a small one ending before its first frame keeps
        // the many runs cheap.
        HeadlessSetScreen(64, 48);
        PostToSaverAt(HeadlessNow(), WM_KEYDOWN, 'A');
        int saving = RunMode("/s");
        int gate = SoundEnabled;
        // Configuration: the check box, and what OK writes to the machine's key.
        SetUp();
        StoreSound(root, type, data);
        bool checked = false;
        HeadlessSetDialogScript([&](HWND dialog) {
          checked = HeadlessDialogItemChecked(dialog, 1003);
          HeadlessClickDialogButton(dialog, IDOK);
        });
        int configuration = RunMode("/c");
        DWORD writtenType = 0;
        std::vector<BYTE> written;
        HeadlessRegistryGet(HKEY_LOCAL_MACHINE, kSaverKey, "Sound", &writtenType, &written);
        const bool readable = Readable(type, data);
        std::vector<BYTE> expectedWritten =
            readable ? std::vector<BYTE>(size) : std::vector<BYTE>{1, 0, 0, 0};
        if (readable && size > 0)
          expectedWritten[0] = sound ? 1 : 0;
        if (readable && Unterminated(type, expectedWritten))
          expectedWritten.push_back(0);
        const DWORD expectedType = readable ? type : REG_DWORD;
        ++runs;
        bool ok = saving == 0 && gate == (sound ? 1 : 0) && configuration == 1 && checked == sound &&
                  writtenType == expectedType && written == expectedWritten;
        if (!ok && ++failures <= 5) {
          ADD_FAILURE() << "type " << type << ", " << size << (zero ? " zero" : " non-zero")
                        << " bytes: expected sound " << sound << ", got saving exit " << saving << " gate "
                        << gate << ", dialog " << configuration << " checked " << checked << " wrote type "
                        << writtenType << " of " << written.size() << " bytes";
        }
      }
    }
  }
  EXPECT_EQ(0, failures) << runs << " stored values";
}

TEST_F(StoredSoundTest, EveryTypeAndSizeInTheMachinesKeyHasItsOutcome) {
  CheckEveryTypeAndSize(HKEY_LOCAL_MACHINE);
}

TEST_F(StoredSoundTest, EveryTypeAndSizeInTheUsersKeyHasItsOutcome) {
  CheckEveryTypeAndSize(HKEY_CURRENT_USER);
}

TEST(CharNext, NeverStepsPastTheTerminator) {
  HeadlessReset();
  const char lone[] = "\x81";
  const char pair[] = "\x81\x40";
  const char empty[] = "";
  HeadlessSetCodePage(932);
  EXPECT_EQ(lone + 1, CharNextA(lone)) << "a lead byte at the end stops at the terminator";
  EXPECT_EQ(pair + 2, CharNextA(pair));
  EXPECT_EQ(empty, CharNextA(empty));
  HeadlessSetCodePage(1252);
  EXPECT_EQ(pair + 1, CharNextA(pair));
}

}  // namespace
