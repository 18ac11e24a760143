#pragma once

#include "status/StatusPictures.h"

namespace qv {

// The page's velocity spectrum: the snapshot's Qv1 and Qv2 folded with the
// calibration it carries, drawn as the desktop's velocity window draws them;
// nothing without a calibration. The provider owns its renderer, and the
// page draws one picture at a time.
PictureProvider VelocityPictureProvider();

}  // namespace qv
