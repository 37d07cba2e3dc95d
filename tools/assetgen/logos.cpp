#include "logos.h"

#include <cmath>

#include "distance_field.h"
#include "effects.h"
#include "text.h"

namespace assetgen {
namespace {

constexpr int kOversample = 4;
constexpr double kRim = 1.3;     // white rim around the letters, pixels
constexpr double kShadow = 1.2;  // offset of the drop shadow, pixels

struct Lettering {
  std::string text;
  bool condensed = false;
  std::vector<Ramp> colours;  // one per letter, repeating
  double wave = 0.0;          // pixels of up and down between letters
  double arch = 0.0;          // pixels the middle letters stand above the ends
  double leftSpace = 0.0;     // pixels kept free for ornaments
  double rightSpace = 0.0;
  double tall = 1.0;  // vertical stretch of the letters
};

Lettering LetteringOf(const std::string& name) {
  if (name == "SLEEPY")
    return {"SLEEPY", false, {Ramp::kViolet, Ramp::kSky}, 0.0, -2.0, 0, 12};
  if (name == "INTEREST")
    return {"INTEREST", true, {Ramp::kSky, Ramp::kGreen}, 1.2, 0.0, 0, 10};
  if (name == "ACROBAT")
    return {"ACROBAT", true, {Ramp::kYellow, Ramp::kFur, Ramp::kRed}, 0.0, 4.0, 0, 0};
  if (name == "JOY")
    return {"JOY", false, {Ramp::kPink, Ramp::kYellow, Ramp::kGreen}, 2.0, 0.0, 22, 22};
  return {"BIKKURI", true, {Ramp::kYellow, Ramp::kFur}, 2.0, 0.0, 0, 12};
}

std::vector<int> Lifts(const Lettering& style, double pixels) {
  std::vector<int> lifts;
  const int n = static_cast<int>(style.text.size());
  for (int i = 0; i < n; ++i) {
    const double t = n > 1 ? static_cast<double>(i) / (n - 1) : 0.5;
    const double lift = style.wave * (i % 2 == 0 ? 0.5 : -0.5) + style.arch * std::sin(kPi * t);
    lifts.push_back(static_cast<int>(std::lround(lift * pixels)));
  }
  return lifts;
}

// Largest lettering that fits the free part of the logo, as a distance field in logo pixels.
DistanceField FitLettering(const Lettering& style, double freeWidth, double freeHeight) {
  const std::string font = style.condensed ? CondensedBoldFontPath() : BoldFontPath();
  const double border = 2 * kRim + kShadow + 0.5;
  for (int size = static_cast<int>(freeHeight * 1.6) * kOversample; size > kOversample * 6; size -= 2) {
    const TextMask mask = SetText(style.text, font, size, kOversample / 2, Lifts(style, kOversample));
    if (mask.width / static_cast<double>(kOversample) + border <= freeWidth &&
        mask.height * style.tall / kOversample + border <= freeHeight) {
      return MakeDistanceField(mask, kOversample, 3.0);
    }
  }
  return {};
}

void DrawOrnaments(const Painter& painter, const LogoArt& logo) {
  const double w = logo.width, h = logo.height;
  if (logo.name == "SLEEPY") {
    DrawSleepZ(painter, {w - 8.5, h * 0.32}, 8.5, 0.15);
    DrawSleepZ(painter, {w - 3.5, h * 0.72}, 5.5, -0.1);
  } else if (logo.name == "INTEREST") {
    DrawQuestion(painter, {w - 5.5, h * 0.5}, h * 0.8, 0.2);
  } else if (logo.name == "JOY") {
    DrawHeart(painter, {11, h * 0.55}, 17, -0.3);
    DrawSparkle(painter, {20, h * 0.2}, 8, 0);
    DrawHeart(painter, {w - 11, h * 0.5}, 17, 0.3);
    DrawSparkle(painter, {w - 21, h * 0.82}, 7, 0);
  } else if (logo.name == "BIKKURI") {
    DrawExclamation(painter, {w - 6.5, h * 0.5}, h * 0.86, 0.18);
  }
}

}  // namespace

const std::vector<LogoArt>& LogoArts() {
  static const std::vector<LogoArt> kLogos = {
      {"SLEEPY", 1055, 112, 23, 60, 210, 30, 88}, {"INTEREST", 1059, 124, 30, 100, 110, 40, 53},
      {"ACROBAT", 1225, 84, 26, 90, 190, 31, 43}, {"JOY", 1569, 116, 30, 70, 140, 15, 44},
      {"BIKKURI", 4000, 90, 36, 190, 180, 0, 32},
  };
  return kLogos;
}

IndexImage DrawLogo(const LogoArt& logo) {
  const Lettering style = LetteringOf(logo.name);
  const double freeWidth = logo.width - style.leftSpace - style.rightSpace;
  const DistanceField field = FitLettering(style, freeWidth, logo.height);
  Canvas canvas = MakeCanvas(logo.width, logo.height, 3);
  const Painter painter{&canvas, {}};
  const double textWidth = (field.width - 2.0 * field.pad) / kOversample;
  const double textHeight = (field.height - 2.0 * field.pad) * style.tall / kOversample;
  const Vec2 origin{style.leftSpace + (freeWidth - textWidth - kShadow) * 0.5,
                    (logo.height - textHeight - kShadow) * 0.5};
  auto unstretched = [&](Vec2 p) { return Vec2{p.x - origin.x, (p.y - origin.y) / style.tall}; };
  auto letters = [&](Vec2 p) { return SampleDistance(field, unstretched(p)); };
  const Box all{0, 0, static_cast<double>(logo.width), static_cast<double>(logo.height)};
  Fill(
      painter, all,
      [&](Vec2 p) {
        return letters(p - Vec2{kShadow, kShadow}) - kRim;
      },
      RampColour(Ramp::kViolet, 0.42));
  Fill(
      painter, all, [&](Vec2 p) { return letters(p) - kRim; }, RampColour(Ramp::kGrey, 1.0));
  FillShaded(painter, all, letters, [&](Vec2 p) {
    const int letter = std::max(0, LetterAt(field, unstretched(p)));
    const Ramp ramp = style.colours[static_cast<std::size_t>(letter) % style.colours.size()];
    const double t = Clamp01((p.y - origin.y) / textHeight);
    return RampColour(ramp, 1.55 - 0.75 * t);
  });
  DrawOrnaments(painter, logo);
  return Quantise(canvas);
}

}  // namespace assetgen
