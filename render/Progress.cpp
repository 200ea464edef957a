#include "render/Progress.h"

#include <cmath>
#include <cstdio>
#include <ostream>

namespace {

constexpr const char* Program = "plenamar-render: ";

std::string Clock(double seconds)
{
    const long whole = std::lround(seconds);
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
    return text;
}

} // namespace

TProgress::TProgress(std::ostream& err, size_t total, bool terminal) : Err(err), Total(total), Terminal(terminal) {}

void TProgress::Line(const std::string& text)
{
    if (LineOpen)
        Err << "\r\033[K";
    LineOpen = false;
    Err << text << "\n";
    Err.flush();
}

void TProgress::Advance(const char* what, const std::string& file)
{
    ++Done;
    if (Total <= 1)
        return;
    const std::string count = "[" + std::to_string(Done) + "/" + std::to_string(Total) + "] ";
    if (!Terminal) {
        Line(count + what + file);
        return;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
    const size_t drawn = Written + FailedCount;
    const double rate = seconds > 0.0 ? double(drawn) / seconds : 0.0;
    char text[160];
    std::snprintf(text, sizeof text, "\r\033[K%s%.1f pictures/s, %s left", count.c_str(), rate,
                  rate > 0.0 ? Clock(double(Total - Done) / rate).c_str() : "?");
    Err << text;
    Err.flush();
    LineOpen = true;
}

void TProgress::BoxFailed(const std::string& box, const std::string& reason)
{
    ++FailedCount;
    Line(Program + box + ": " + reason);
    Advance("failed ", box);
}

void TProgress::Skipped(const std::string& file)
{
    ++SkippedCount;
    Advance("skipped ", file);
}

void TProgress::Drawn(const std::string& box, const std::string& file, const std::string& failure)
{
    if (failure.empty()) {
        ++Written;
    } else {
        ++FailedCount;
        Line(Program + box + ": " + failure);
    }
    Advance(failure.empty() ? "wrote " : "failed ", file);
}

void TProgress::Finish(int stopped)
{
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
    if (Total <= 1 && stopped == 0) {
        if (LineOpen)
            Line("");
        return;
    }
    char text[200];
    std::snprintf(text, sizeof text, "%s%s%zu of %zu pictures: %zu written, %zu skipped, %zu failed, %.1f s",
                  Program, stopped != 0 ? "stopped after " : "", Done, Total, Written, SkippedCount, FailedCount,
                  seconds);
    Line(text);
}
