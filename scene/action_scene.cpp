#include "scene/action_scene.h"

#include <iterator>

#include "scene/choreography.h"

namespace {

// The five logos come first: the choreography finds them by identifier, 20000 + the action's.
const SpriteEntry kAnimationTable[] = {
    {"IDR_SPBMP_LOGOBIKKURI", kModuleResourceSource, 24000, kLogoLayer, 0},
    {"IDR_SPBMP_LOGOACROBAT", kModuleResourceSource, 21225, kLogoLayer, 0},
    {"IDR_SPBMP_LOGOJOY", kModuleResourceSource, 21569, kLogoLayer, 0},
    {"IDR_SPBMP_LOGOINTEREST", kModuleResourceSource, 21059, kLogoLayer, 0},
    {"IDR_SPBMP_LOGOSLEEPY", kModuleResourceSource, 21055, kLogoLayer, 0},
    {"IDR_SPBMP_ID1055SHORT", kModuleResourceSource, 1055, kActionLayer, 0},
    {"IDR_SPBMP_ID1059SHORT", kModuleResourceSource, 1059, kActionLayer, 0},
    {"IDR_SPBMP_ID1225SHORT", kModuleResourceSource, 1225, kActionLayer, 0},
    {"IDR_SPBMP_ID1569SHORT", kModuleResourceSource, 1569, kActionLayer, 0},
    {"IDR_SPBMP_ID4000SHORT", kModuleResourceSource, 4000, kActionLayer, 0},
};

const SpriteEntry kPlacementTable[] = {
    {"IDR_SPBMPDATA_ID1055SHORT", kModuleResourceSource, 1055, kActionLayer, 0},
    {"IDR_SPBMPDATA_ID1059SHORT", kModuleResourceSource, 1059, kActionLayer, 0},
    {"IDR_SPBMPDATA_ID1225SHORT", kModuleResourceSource, 1225, kActionLayer, 0},
    {"IDR_SPBMPDATA_ID1569SHORT", kModuleResourceSource, 1569, kActionLayer, 0},
    {"IDR_SPBMPDATA_ID4000SHORT", kModuleResourceSource, 4000, kActionLayer, 0},
};

}  // namespace

const SceneDescriptor kSceneDescriptors[1] = {
    {kActionSceneId, static_cast<int>(std::size(kAnimationTable)), kAnimationTable,
     static_cast<int>(std::size(kPlacementTable)), kPlacementTable, SceneBehaviour},
};
