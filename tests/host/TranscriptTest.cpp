// Transcripts of host calls: a recorded transfer replays to the same bytes, values
// survive exactly, calls the transcript does not hold are refused, and a host call that
// fails ends the transfer before anything is written.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <sstream>

#include "host/automation/AutomationHost.h"
#include "host/automation/HostDispatcher.h"
#include "host/automation/Transcript.h"
#include "host/document/DocumentHost.h"
#include "AutomationSupport.h"
#include "support/DocumentFile.h"

namespace t2v::host::automation {
namespace {

using test::TransferOutput;
using test::TransferRun;

// Answers every call by echoing fixed values into its outputs.
class EchoDispatcher : public Dispatcher {
public:
    std::vector<AutoValue> answers;
    std::int32_t result = 0;
    int calls = 0;
    std::int32_t call(std::string_view, std::span<AutoArg> args) override {
        ++calls;
        std::size_t k = 0;
        for (AutoArg& a : args) {
            if (a.out) a.value = answers.at(k++);
        }
        return result++;
    }
};

TEST(Transcript, ValuesSurviveExactly) {
    const double nan = std::bit_cast<double>(std::uint64_t{0x7ff8000000012345});
    const std::string awkward = "tab\there, line\nbreak, back\\slash, bell\x07, space, Fl\xc3\xbcgel, |\t=!";
    EchoDispatcher echo;
    echo.answers = {std::int32_t{-2147483647 - 1},
                    std::vector<double>{0.1, -0.0, 5e-324, 1.7976931348623157e308, nan, -INFINITY},
                    std::vector<std::string>{"", awkward, ""}, std::vector<bool>{true, false}, AutoValue{}};
    std::ostringstream text;
    RecordingDispatcher recorder(echo, text);
    const auto makeArgs = [&] {
        return std::vector<AutoArg>{{AutoType::String, false, awkward}, {AutoType::Double, false, 0.30000000000000004},
                                    {AutoType::Long, true, {}},         {AutoType::DoubleArray, true, {}},
                                    {AutoType::StringArray, true, {}},  {AutoType::BoolArray, true, {}},
                                    {AutoType::Long, true, {}}};
    };
    auto recorded = makeArgs();
    EXPECT_EQ(recorder.call("Op", recorded), 0);
    EXPECT_EQ(recorder.call("Op", recorded = makeArgs()), 1);  // the same call again, answered 1

    TranscriptDispatcher replay(text.str(), "t.txt");
    auto args = makeArgs();
    EXPECT_EQ(replay.call("Op", args), 0);
    EXPECT_EQ(std::get<std::int32_t>(args[2].value), -2147483647 - 1);
    const auto& d = std::get<std::vector<double>>(args[3].value);
    const auto& expected = std::get<std::vector<double>>(echo.answers[1]);
    ASSERT_EQ(d.size(), expected.size());
    for (std::size_t i = 0; i < d.size(); ++i) {
        EXPECT_EQ(std::bit_cast<std::uint64_t>(d[i]), std::bit_cast<std::uint64_t>(expected[i])) << i;
    }
    EXPECT_EQ(std::get<std::vector<std::string>>(args[4].value), (std::vector<std::string>{"", awkward, ""}));
    EXPECT_EQ(std::get<std::vector<bool>>(args[5].value), (std::vector<bool>{true, false}));
    EXPECT_EQ(typeOf(args[6].value), AutoType::Empty);
    // Repeated identical calls are answered in recorded order, then no more.
    EXPECT_EQ(replay.call("Op", args = makeArgs()), 1);
    try {
        replay.call("Op", args = makeArgs());
        ADD_FAILURE() << "answered a third time";
    } catch (const HostError& e) {
        EXPECT_STREQ(e.what(), "Op: no such call in the transcript");
    }
    // Another input value is another call.
    args = makeArgs();
    args[1].value = 0.3;
    EXPECT_THROW(replay.call("Op", args), HostError);
}

TEST(Transcript, RefusesWhatIsNotATranscript) {
    EXPECT_THROW(TranscriptDispatcher("GetPointCount\t|\t=3\n", "t.txt"), std::runtime_error);
    try {
        TranscriptDispatcher(std::string(kTranscriptHeader) + "\nGetPointCount\t=3\n", "t.txt");
        ADD_FAILURE() << "accepted";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()).rfind("t.txt: line 2: ", 0), 0u) << e.what();
    }
    TranscriptDispatcher bad(std::string(kTranscriptHeader) + "\nGetPointCount\t|\t=x\n", "t.txt");
    std::vector<AutoArg> none;
    EXPECT_THROW(bad.call("GetPointCount", none), HostError);
}

// Records a whole transfer through the adapter, the recorder and the server, then
// replays the transcript alone: both write the bytes of a direct transfer.
TEST(Transcript, RecordedTransferReplaysToTheSameBytes) {
    const std::string path = test::GeneratedBuilding();
    auto direct = test::RunTransferFile(path, "T");
    ASSERT_TRUE(direct->written);

    auto document = t2v::test::LoadDocumentFile(path);
    HostDispatcher server(*document);
    std::ostringstream text;
    RecordingDispatcher recorder(server, text);
    AutomationHost recorded(recorder);
    TransferRun first;
    first.name = "T";
    test::RunTransferOn(first, recorded);
    ASSERT_TRUE(first.written);

    TranscriptDispatcher replay(text.str(), "transfer.txt");
    EXPECT_EQ(replay.size(), recorder.calls());
    AutomationHost replayed(replay);
    TransferRun second;
    second.name = "T";
    test::RunTransferOn(second, replayed);
    ASSERT_TRUE(second.written);
    EXPECT_EQ(replay.answered(), replay.size());

    EXPECT_TRUE(TransferOutput(*direct) == TransferOutput(first));
    EXPECT_TRUE(TransferOutput(*direct) == TransferOutput(second));
}

TEST(Transcript, FailedHostCallEndsTheTransferAndWritesNothing) {
    auto document = t2v::test::LoadDocumentFile(test::ExampleBuilding());
    HostDispatcher server(*document);
    for (const std::uint64_t failAt : {1u, 40u, 400u}) {
        FailingDispatcher failing(server, failAt);
        std::ostringstream text;
        RecordingDispatcher recorder(failing, text);
        AutomationHost host(recorder);
        TransferRun run;
        try {
            test::RunTransferOn(run, host);
            ADD_FAILURE() << "call " << failAt << " failed, the transfer went on";
        } catch (const HostError& e) {
            EXPECT_NE(std::string(e.what()).find(": the host failed the call"), std::string::npos) << e.what();
        }
        EXPECT_FALSE(run.written);
        EXPECT_FALSE(std::filesystem::exists(run.structureDir() + "/VNTRS")) << failAt;
        // The failure is in the transcript, and replaying it fails the same call again.
        TranscriptDispatcher replay(text.str(), "t.txt");
        AutomationHost replayed(replay);
        TransferRun again;
        EXPECT_THROW(test::RunTransferOn(again, replayed), HostError);
        EXPECT_FALSE(std::filesystem::exists(again.structureDir() + "/VNTRS"));
    }
}

}  // namespace
}  // namespace t2v::host::automation
