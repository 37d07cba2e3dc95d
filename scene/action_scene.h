// The program's one scene as the sprite library loads it: its pictures, placements and behaviour.
#pragma once
#include "sprites/scene_descriptor.h"

const int kActionSceneId = 7300;
const int kActionLayer = 1;
const int kLogoLayer = 2;

extern const SceneDescriptor kSceneDescriptors[1];
