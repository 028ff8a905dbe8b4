#include "output/EarthquakeRecords.h"

#include <cstdint>
#include <memory>
#include <vector>

#include "source/ReadTHFunc.h"

namespace t2v::output {

void MakeRecordsFolder(platform::Platform& platform, const source::RecordsLocation& records) {
    const std::string recordsFolder = platform.join(records.VantraHome, "Records");
    const std::string groupFolder = platform.join(recordsFolder, records.EqkeGroupName);
    // Without a home the records would land below the drive root.
    if (records.VantraHome.empty())
        throw TransferFailure("no Vantra home folder is known, so the earthquake records have nowhere to go");
    // One level at a time: the home folder may itself be missing.
    for (const std::string* folder : {&records.VantraHome, &recordsFolder, &groupFolder}) {
        if (platform.isDirectory(*folder)) continue;
        std::string error;
        if (!platform.createDirectory(*folder, &error) && !platform.isDirectory(*folder))
            throw TransferFailure(error.empty() ? "cannot create the folder " + *folder : error);
    }
}

bool WriteEarthquakeRecord(platform::Platform& platform, const source::RecordsLocation& records,
                           const std::string& fileName, const std::string& header, const source::THFuncPoints& points,
                           double duration, std::string& error) {
    MakeRecordsFolder(platform, records);
    const std::string groupFolder = platform.join(platform.join(records.VantraHome, "Records"), records.EqkeGroupName);
    const std::string path = platform.join(groupFolder, fileName);
    const std::vector<std::uint8_t> bytes = source::EarthquakeRecordBytes(header, points, duration);
    std::unique_ptr<platform::OutputFile> file = platform.createFile(path, error);
    if (!file) return false;
    if (file->write(bytes.data(), bytes.size()) && file->commit()) return true;
    error = file->error();
    return false;
}

void WriteEarthquakeRecords(platform::Platform& platform, const source::RecordsLocation& records,
                            source::TarvoModelObj& src) {
    for (int i = 1; i <= src.THFuncNum(); ++i) {
        const source::TarvoTHFuncObj& f = src.THFuncObj(i);
        source::THFuncPoints points;
        points.times = f.Time;
        points.values = f.Value;
        std::string error;
        if (!WriteEarthquakeRecord(platform, records, f.RecordFileName, "EarthquakeRecord: " + f.Label, points,
                                   source::RecordDuration(f.Time), error))
            src.Report.add("function", f.Label, "record not written", true, error);
        else
            ++src.RecordsWritten;
    }
}

}  // namespace t2v::output
