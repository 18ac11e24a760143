#pragma once

namespace qv {

// The commands a running job would have to fight for the card or the
// document: the Settings editors, Clear/count, File New/Open (and the recent
// files) and Run Job itself. They are disabled while a job runs; the views,
// auto-refresh and the count-rate window keep working.
bool FightsARunningJob(int command);

}  // namespace qv
