// The former name of VellCore_assets.h, which declared the asset paths when
// they lived in the sound file; kept so that code still including it builds.
#pragma once

#include "VellCore_assets.h"
