// Blit kernels against two baselines on the same drawings: the plain byte-by-byte loop and memcpy of
// the destination bytes. Sprite-like frames, about half transparent, rotate so that branch
// prediction cannot learn one.
#include "render/blit.h"
#include "sprites/bitmap_format.h"
#include "tests/blit_reference.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <deque>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr LONG kScreenWidth = 640;
constexpr LONG kScreenHeight = 480;
// Enough different frames that the branch predictor cannot learn the whole rotation.
constexpr size_t kPixelsInRotation = 1 << 20;
constexpr BYTE kKey = 1;

using Kernel = void (*)(BYTE*, LONG, LONG, const BYTE*, const RGBQUAD*, DWORD, LONG, LONG);

template <void (*kOpaqueKernel)(BYTE*, LONG, LONG, const BYTE*, const RGBQUAD*, LONG, LONG)>
void WithoutKey(BYTE* destination, LONG width, LONG rows, const BYTE* source, const RGBQUAD* colourTable,
                DWORD, LONG destinationStep, LONG sourceStep) {
  kOpaqueKernel(destination, width, rows, source, colourTable, destinationStep, sourceStep);
}

struct KernelEntry {
  const char* name;
  int bytes;
  bool mirrored;
  Kernel kernel;
  Kernel plain;
};

const KernelEntry kKernels[] = {
    {"Keyed8", 1, false, BlitKeyed8, PlainBlit<1, true, 1>},
    {"Keyed16", 2, false, BlitKeyed16, PlainBlit<2, true, 1>},
    {"Keyed24", 3, false, BlitKeyed24, PlainBlit<3, true, 1>},
    {"Keyed32", 4, false, BlitKeyed32, PlainBlit<4, true, 1>},
    {"KeyedMirrored8", 1, true, BlitKeyedMirrored8, PlainBlit<1, true, -1>},
    {"KeyedMirrored16", 2, true, BlitKeyedMirrored16, PlainBlit<2, true, -1>},
    {"KeyedMirrored24", 3, true, BlitKeyedMirrored24, PlainBlit<3, true, -1>},
    {"KeyedMirrored32", 4, true, BlitKeyedMirrored32, PlainBlit<4, true, -1>},
    {"Opaque8", 1, false, WithoutKey<BlitOpaque8>, PlainBlit<1, false, 1>},
    {"Opaque16", 2, false, WithoutKey<BlitOpaque16>, PlainBlit<2, false, 1>},
    {"Opaque24", 3, false, WithoutKey<BlitOpaque24>, PlainBlit<3, false, 1>},
    {"Opaque32", 4, false, WithoutKey<BlitOpaque32>, PlainBlit<4, false, 1>},
};

// Rows of alternating transparent and opaque runs, with a few key pixels inside the opaque ones as
// sprites have in their details.
std::vector<BYTE> SpriteFrame(std::mt19937& random, LONG width, LONG height) {
  const LONG stride = static_cast<LONG>(IndexedRowStride(width));
  std::vector<BYTE> frame(static_cast<size_t>(stride) * height, kKey);
  std::uniform_int_distribution<int> run(1, 32), colour(2, 255), detail(0, 31);
  for (LONG y = 0; y < height; ++y) {
    bool opaque = run(random) % 2 == 0;
    for (LONG x = 0; x < width;) {
      for (int n = run(random); n > 0 && x < width; --n, ++x) {
        if (opaque && detail(random) != 0) {
          frame[static_cast<size_t>(y) * stride + x] = static_cast<BYTE>(colour(random));
        }
      }
      opaque = !opaque;
    }
  }
  return frame;
}

struct Scene {
  LONG width;
  LONG height;
  std::vector<std::vector<BYTE>> frames;
  std::vector<RGBQUAD> colours;
};

const Scene& SceneOfSize(LONG width, LONG height) {
  static std::deque<Scene> scenes;  // references stay valid as it grows
  for (const Scene& scene : scenes) {
    if (scene.width == width && scene.height == height) {
      return scene;
    }
  }
  std::mt19937 random(static_cast<unsigned>(width * 1000 + height));
  Scene scene{width, height, {}, std::vector<RGBQUAD>(256)};
  const size_t frames = (kPixelsInRotation + width * height - 1) / (width * height);
  for (size_t i = 0; i < frames; ++i) {
    scene.frames.push_back(SpriteFrame(random, width, height));
  }
  for (RGBQUAD& colour : scene.colours) {
    colour =
        RGBQUAD{static_cast<BYTE>(random()), static_cast<BYTE>(random()), static_cast<BYTE>(random()), 0};
  }
  scenes.push_back(std::move(scene));
  return scenes.back();
}

// The drawing goes to the bottom-left corner of a 640 by 480 frame buffer.
void RunKernel(benchmark::State& state, const KernelEntry& entry, Kernel kernel, LONG width, LONG height) {
  const Scene& scene = SceneOfSize(width, height);
  const LONG rowStride = FrameBufferRowStride(kScreenWidth, entry.bytes * 8);
  std::vector<BYTE> destination(static_cast<size_t>(rowStride) * kScreenHeight);
  const LONG sourceStride = static_cast<LONG>(IndexedRowStride(width));
  const LONG sourceStep = entry.mirrored ? sourceStride + width : sourceStride - width;
  const LONG firstColumn = entry.mirrored ? width - 1 : 0;
  size_t frame = 0;
  for (auto _ : state) {
    kernel(destination.data(), width, height, scene.frames[frame].data() + firstColumn, scene.colours.data(),
           kKey, rowStride - width * entry.bytes, sourceStep);
    frame = (frame + 1) % scene.frames.size();
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * width * height);
}

void RunMemcpy(benchmark::State& state, int bytes, LONG width, LONG height) {
  const size_t rowStride = FrameBufferRowStride(kScreenWidth, bytes * 8);
  std::vector<BYTE> destination(rowStride * kScreenHeight), source(rowStride * kScreenHeight, 7);
  const size_t rowBytes = static_cast<size_t>(width) * bytes;
  for (auto _ : state) {
    for (LONG row = 0; row < height; ++row) {
      std::memcpy(destination.data() + row * rowStride, source.data() + row * rowStride, rowBytes);
    }
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * width * height);
}

void RegisterAll() {
  const LONG kSizes[][2] = {{75, 100}, {kScreenWidth, kScreenHeight}};
  for (const auto& size : kSizes) {
    const LONG width = size[0], height = size[1];
    const std::string frame = "/" + std::to_string(width) + "x" + std::to_string(height);
    for (int bytes = 1; bytes <= 4; ++bytes) {
      benchmark::RegisterBenchmark(("Memcpy" + std::to_string(bytes * 8) + frame).c_str(),
                                   [=](benchmark::State& state) { RunMemcpy(state, bytes, width, height); });
    }
    for (const KernelEntry& entry : kKernels) {
      benchmark::RegisterBenchmark(
          (std::string(entry.name) + frame).c_str(),
          [=, &entry](benchmark::State& state) { RunKernel(state, entry, entry.kernel, width, height); });
      benchmark::RegisterBenchmark(
          ("Plain" + std::string(entry.name) + frame).c_str(),
          [=, &entry](benchmark::State& state) { RunKernel(state, entry, entry.plain, width, height); });
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  RegisterAll();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
