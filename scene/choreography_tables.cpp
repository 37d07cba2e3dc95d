#include "scene/choreography_tables.h"

#include "scene/action_rows.h"

const int kActionCycle[kActionCycleLength] = {4000, 1055, 1059, 1225, 1569};

// Upper left, lower right, upper right, lower left.
const StageOffset kStageOffsets[kStageQuadrants] = {{-320, -240}, {0, 0}, {0, -240}, {-320, 0}};

namespace {

// Each length is the action's frames - start frame - 2, so the logo goes one update before its actor.
const LogoRow kLogoTable[] = {
    {4000, 24000, 190, 180, 0, 32}, {1055, 21055, 60, 210, 30, 88}, {1059, 21059, 100, 110, 40, 53},
    {1225, 21225, 90, 190, 31, 43}, {1569, 21569, 70, 140, 15, 44},
};

}  // namespace

const LogoRow* FindLogoRow(int actionId) {
  return FindActionRow(kLogoTable, actionId);
}
