#pragma once
// What a run tells the user on standard error as it goes: each failure with
// its box and the reason; on a terminal one progress line, rewritten in
// place (done/total, pictures a second, time left), and otherwise a line per
// picture ("[3/500] wrote shots/a-x25_y30.png"); and at the end, for more than
// one picture, a summary.
#include <chrono>
#include <iosfwd>
#include <string>

class TProgress {
public:
    // total: the pictures (and boxes that fail before any picture) to come.
    TProgress(std::ostream& err, size_t total, bool terminal);

    // A box that fails as a whole, counting as one.
    void BoxFailed(const std::string& box, const std::string& reason);
    void Skipped(const std::string& file);
    // A picture drawn: written, or failed for the reason.
    void Drawn(const std::string& box, const std::string& file, const std::string& failure);

    // The summary; stopped: the signal that stopped the run, or 0.
    void Finish(int stopped);

    size_t Failed() const { return FailedCount_; }

private:
    void Line(const std::string& text);
    void Advance(const char* what, const std::string& file);
    // Seconds since the run began.
    double Elapsed() const;

    std::ostream& Err_;
    const size_t Total_;
    const bool Terminal_;
    size_t Done_ = 0, Written_ = 0, SkippedCount_ = 0, FailedCount_ = 0;
    bool LineOpen_ = false;  // a progress line waits to be rewritten
    const std::chrono::steady_clock::time_point Start_ = std::chrono::steady_clock::now();
};
