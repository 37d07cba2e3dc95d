#include "actions.h"

namespace assetgen {

const std::vector<ActionArt>& ActionArts() {
  static const std::vector<ActionArt> kArts = {
      {4000, 34, 74, 108, {29, 199}, {27, 119}, false, 0, 0, DrawBikkuriFrame},
      {1055, 120, 74, 96, {73, 78}, {93, 101}, false, 0, 0, DrawSleepyFrame},
      {1059, 95, 73, 108, {66, 82}, {87, 108}, false, 0, 0, DrawInterestFrame},
      {1225, 76, 14, 11, {7, 104}, {6, 118}, true, 158, 29, DrawAcrobatFrame},
      {1569, 61, 73, 108, {71, 87}, {102, 113}, false, 0, 0, DrawJoyFrame},
  };
  return kArts;
}

}  // namespace assetgen
