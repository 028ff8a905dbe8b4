// Transcripts of host calls: a RecordingDispatcher writes every call that passes
// through it, a TranscriptDispatcher answers calls from such a recording, and a
// FailingDispatcher makes one chosen call fail. With them, a whole transfer's traffic
// across the automation boundary can be kept in a file and played to another client
// (the Windows test client answers the real COM calls from one), and the failure of a
// single host call can be staged.
//
// The format is text, one call per line, exact and readable by the standard library:
//
//   tarvo2vantra host calls 1
//   GetShell<TAB>SSWALL250<TAB>|<TAB>LL1<TAB>LL0<TAB>SSC30<TAB>DD0<TAB>DD0.25<TAB>DD0.25<TAB>=0
//   GetPointCount<TAB>|<TAB>=24
//   GetFrameSection<TAB>SSB1<TAB>|<TAB>!GetFrameSection: the host failed the call
//
// A line is the operation, the input arguments in call order, "|", the output arguments
// in call order, and "=" with the call's result (or "!" with the message of a call that
// failed as a call). Each argument is its declared type, the type of the value it holds
// and the value: L Long, D Double, B Bool, S String, l d b s the arrays of these, - no
// value. Doubles are written in their shortest form that reads back to the same bits
// (non-finite ones as # and the 16 hex digits of their bits); arrays as the count, ":"
// and the elements separated by single spaces; texts with \\ \t \n \r \s (space) and
// \xHH (other control characters) escaped, every other byte (UTF-8) as it is.
#pragma once

#include "host/automation/Dispatcher.h"

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace t2v::host::automation {

inline constexpr std::string_view kTranscriptHeader = "tarvo2vantra host calls 1";

// Forwards every call to `inner` and writes it to `out` (the header first). The caller
// checks `out` when it is done; a failed call is written and rethrown.
class RecordingDispatcher : public Dispatcher {
public:
    RecordingDispatcher(Dispatcher& inner, std::ostream& out);
    std::int32_t call(std::string_view op, std::span<AutoArg> args) override;
    std::uint64_t calls() const { return calls_; }

private:
    Dispatcher& inner_;
    std::ostream& out_;
    std::string line_;
    std::uint64_t calls_ = 0;
};

// Answers calls from a transcript. A call is matched by its operation and its input
// arguments (types and values); identical calls get the recorded answers in recorded
// order. A call the transcript does not hold (or no longer holds) throws HostError
// "<op>: no such call in the transcript"; a recorded failure is thrown as HostError
// with the recorded message. Lookups are hashed, so a transcript of millions of calls
// replays in time proportional to its size.
class TranscriptDispatcher : public Dispatcher {
public:
    // Reads the whole transcript; std::runtime_error names the file and the line of
    // anything that is not a transcript.
    static std::unique_ptr<TranscriptDispatcher> LoadFile(const std::string& path);
    // `text` is the whole transcript; `displayName` stands for it in messages.
    TranscriptDispatcher(std::string text, std::string displayName);
    ~TranscriptDispatcher() override;

    std::int32_t call(std::string_view op, std::span<AutoArg> args) override;

    std::size_t size() const { return lineStart_.size(); }  // calls recorded
    std::size_t answered() const { return answered_; }

private:
    std::string_view keyOf(std::uint32_t call) const;
    std::uint32_t& slotOf(std::string_view key);
    std::string where(std::uint32_t call) const;
    void answer(std::uint32_t call, std::string_view op, std::span<AutoArg> args, std::int32_t& result) const;

    std::string text_;
    std::string name_;
    std::vector<std::uint64_t> lineStart_;  // per call: where its line starts in text_
    std::vector<std::uint32_t> keyLength_;  // per call: length of "op<TAB>inputs", the match key
    std::vector<std::uint32_t> nextSame_;   // per call: the next call with the same key
    std::vector<std::uint32_t> cursor_;     // per first call of a key: the next one to answer
    std::vector<std::uint32_t> table_;      // open addressing over keys: the first call of each
    std::string key_;
    std::size_t answered_ = 0;
};

// Forwards calls to `inner`, except the `failAt`-th (counting from 1), which throws
// HostError "<op>: the host failed the call" without reaching `inner`.
class FailingDispatcher : public Dispatcher {
public:
    FailingDispatcher(Dispatcher& inner, std::uint64_t failAt) : inner_(inner), failAt_(failAt) {}
    std::int32_t call(std::string_view op, std::span<AutoArg> args) override;
    std::uint64_t calls() const { return calls_; }

private:
    Dispatcher& inner_;
    std::uint64_t failAt_;
    std::uint64_t calls_ = 0;
};

}  // namespace t2v::host::automation
