// The machine's state, failure injection, logs and the test controls that script them.
#include "world.h"

#include <algorithm>
#include <cstdio>

World& TheWorld() {
  static World world;
  return world;
}

void FollowRealClock() {
  World& world = TheWorld();
  if (!world.realClock)
    return;
  const auto elapsed = std::chrono::steady_clock::now() - world.realClockBase;
  world.now = world.realClockStart +
              static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

bool ShouldFail(const char* api) {
  auto& failures = TheWorld().failures;
  auto found = failures.find(api);
  if (found == failures.end() || found->second.count <= 0)
    return false;
  if (found->second.succeedFirst > 0) {
    --found->second.succeedFirst;
    return false;
  }
  --found->second.count;
  return true;
}

std::string FormatArgument(const void* pointer) {
  char text[32];
  std::snprintf(text, sizeof text, "%#llx",
                static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(pointer)));
  return pointer ? text : "0";
}

std::string FormatArgument(const char* text) {
  return text ? text : "<null>";
}

void HeadlessReset() {
  TheWorld() = World();
  ResetGdi();
  ResetRegistry();
  ResetDialogs();
  ResetResources();
}

void HeadlessSetScreen(int width, int height) {
  TheWorld().screenWidth = width;
  TheWorld().screenHeight = height;
}
void HeadlessSetBitsPerPixel(int bitsPerPixel) {
  TheWorld().bitsPerPixel = bitsPerPixel;
}
void HeadlessSetPlatform(DWORD platformId) {
  TheWorld().platformId = platformId;
}
void HeadlessSetCommandLine(const std::string& commandLine) {
  TheWorld().commandLine = ExactText(commandLine);
}

void HeadlessFailCall(const std::string& api, int count, int after) {
  FailureRecord& failure = TheWorld().failures[api];
  failure.succeedFirst = after;
  failure.count += count;
}

uint32_t HeadlessNow() {
  FollowRealClock();
  return TheWorld().now;
}
void HeadlessSetNow(uint32_t now) {
  World& world = TheWorld();
  world.now = now;
  world.realClockStart = now;
  world.realClockBase = std::chrono::steady_clock::now();
}
void HeadlessUseRealClock(uint32_t start, std::function<void(int milliseconds)> wait) {
  World& world = TheWorld();
  world.realClock = true;
  world.realWait = std::move(wait);
  HeadlessSetNow(start);
}
void HeadlessSetSoundOutput(std::function<void(const BYTE* wave, DWORD size)> output) {
  TheWorld().soundOutput = std::move(output);
}
void HeadlessAt(uint32_t time, std::function<void()> action) {
  World& world = TheWorld();
  world.scheduled.push_back({time, world.scheduleOrder++, std::move(action)});
}
void HeadlessSetMessageBudget(int messages) {
  TheWorld().messageBudget = messages;
}
bool HeadlessBudgetExhausted() {
  return TheWorld().budgetExhausted;
}

const std::vector<HeadlessMessageBox>& HeadlessMessageBoxes() {
  return TheWorld().messageBoxes;
}

const std::vector<HeadlessCall>& HeadlessCalls() {
  return TheWorld().calls;
}
std::vector<std::string> HeadlessCallsOf(const std::string& api) {
  std::vector<std::string> found;
  for (const HeadlessCall& call : TheWorld().calls) {
    if (call.api == api)
      found.push_back(call.arguments);
  }
  return found;
}
std::vector<std::string> HeadlessCallNames() {
  std::vector<std::string> names;
  for (const HeadlessCall& call : TheWorld().calls)
    names.push_back(call.api);
  return names;
}
const std::vector<HeadlessMessage>& HeadlessMessages() {
  return TheWorld().messages;
}
void HeadlessClearLogs() {
  TheWorld().calls.clear();
  TheWorld().messages.clear();
  TheWorld().messageBoxes.clear();
}
