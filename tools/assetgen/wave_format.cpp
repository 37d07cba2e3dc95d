#include "sounds.h"
#include "synth.h"

namespace assetgen {

Bytes EncodeWave(const std::vector<std::uint8_t>& samples, bool withFact) {
  const std::uint32_t formatBytes = withFact ? 18 : 16;
  const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size());
  const std::uint32_t padding = dataBytes % 2;
  const std::uint32_t riffBytes = 4 + (8 + formatBytes) + (withFact ? 12 : 0) + 8 + dataBytes + padding;
  Bytes out;
  PutTag(out, "RIFF");
  PutU32(out, riffBytes);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  PutU32(out, formatBytes);
  PutU16(out, 1);
  PutU16(out, 1);
  PutU32(out, kSampleRate);
  PutU32(out, kSampleRate);
  PutU16(out, 1);
  PutU16(out, 8);
  if (withFact) {
    PutU16(out, 0);
    PutTag(out, "fact");
    PutU32(out, 4);
    PutU32(out, dataBytes);
  }
  PutTag(out, "data");
  PutU32(out, dataBytes);
  out.insert(out.end(), samples.begin(), samples.end());
  PutZeros(out, padding);
  return out;
}

}  // namespace assetgen
