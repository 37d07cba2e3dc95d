// The Animation library: a scene's pictures and placements, loaded once from its descriptor and
// then only read. Users keep references into it until FreeAnimationLibrary.
#pragma once
#include "sprites/animation_list.h"
#include "sprites/frame_list.h"
#include "sprites/placement_track_list.h"
#include "sprites/sprite_records.h"

// Builds one library per descriptor, chained in array order; returns the first, or null (with
// nothing left allocated) when count is not positive or anything fails to load.
AnimationLibrary* CreateAnimationLibrary(const SceneDescriptor* descriptors, int count, LoadContext context);

// The first library of the chain with this scene identifier, or null.
AnimationLibrary* FindAnimationLibrary(AnimationLibrary* first, int sceneId);

// Releases every library of the chain and everything it holds; null is accepted.
void FreeAnimationLibrary(AnimationLibrary* first);

// Hands the message to the behaviour the library took from its descriptor; 0 when there is no
// library or it has no behaviour.
int RunBehaviour(const AnimationLibrary* library, int message, void* subject);
