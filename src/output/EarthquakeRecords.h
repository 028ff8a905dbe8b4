// The earthquake record files: one per time-history function of the source model, in
// VantraHome/Records/<EqkeGroupName>, which the dynamic load cases name.
#pragma once

#include <cstddef>
#include <string>

#include "platform/Platform.h"
#include "source/ReadTHFunc.h"
#include "source/TarvoModelObj.h"

namespace t2v::output {

// Makes VantraHome / Records / EqkeGroupName, creating each missing level in turn.
// Raises TransferFailure (naming the folder and the system's reason) when it cannot:
// without it no record can be written, and the transfer stops before any structure file
// is touched.
void MakeRecordsFolder(platform::Platform& platform, const source::RecordsLocation& records);

// Writes one record file named `fileName` into the records folder (made first, see
// MakeRecordsFolder). False with `error` (path and reason) when the file cannot be
// written; nothing is left behind.
bool WriteEarthquakeRecord(platform::Platform& platform, const source::RecordsLocation& records,
                           const std::string& fileName, const std::string& header, const source::THFuncPoints& points,
                           double duration, std::string& error);

// Writes the record of every function the source model holds, in its order, under the
// file name the read step gave it. A record that cannot be written is a problem in
// src.Report (the function stays, so a load case still names it); src.RecordsWritten
// counts the ones written. Nothing is made when the model holds no function.
void WriteEarthquakeRecords(platform::Platform& platform, const source::RecordsLocation& records,
                            source::TarvoModelObj& src);

}  // namespace t2v::output
