// The folder of earlier results of the analysis series a transfer defines.
#pragma once

#include "common/TransferReport.h"
#include "platform/Platform.h"
#include "target/VantraModel.h"

namespace t2v::output {

// Clears the results of an earlier run of the analysis series the transfer made
// (m.SeriesToReset), now that the structure they belonged to has been replaced. Only a
// real folder directly inside the structure folder is deleted, never a link (which could
// lead anywhere), and nothing for a structure name that is not one plain folder level;
// a folder that stays is a problem of the report, since its results no longer match.
void ResetSeriesFolder(platform::Platform& platform, const target::VantraModel& m, TransferReport& report);

}  // namespace t2v::output
