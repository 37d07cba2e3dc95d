// The static description of a scene: which module resources hold its pictures and placements,
// with an identifier and a drawing layer for each, and the scene's choreography entry, through
// which the saver starts the scene and each action.
#pragma once

// The scene's choreography: a message number, its subject and two further arguments (always 0).
typedef int (*SceneBehaviourFunction)(int message, void* subject, int first, int second);

// One row of the Animation table (an SPBMP resource) or the Placement table (an SPBMPDATA resource).
struct SpriteEntry {
  const char* resourceName;
  int sourceKind;
  int id;
  int layer;
  int loadFlags;
};

struct SceneDescriptor {
  int sceneId;
  int animationCount;
  const SpriteEntry* animationTable;
  int placementCount;
  const SpriteEntry* placementTable;
  SceneBehaviourFunction behaviour;
};

// Source kind of a row whose data is a resource of the module, found by type and name.
const int kModuleResourceSource = 16;
// Load flag: also make a device bitmap of every frame.
const int kLoadDeviceBitmaps = 0x40;
