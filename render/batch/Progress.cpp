#include "render/batch/Progress.h"

#include "platform/PrintableText.h"

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

TProgress::TProgress(std::ostream& err, size_t total, bool terminal) : Err_(err), Total_(total), Terminal_(terminal) {}

double TProgress::Elapsed() const
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - Start_).count();
}

void TProgress::Line(const std::string& text)
{
    if (LineOpen_)
        Err_ << "\r\033[K";
    LineOpen_ = false;
    Err_ << Printable(text) << "\n";
    Err_.flush();
}

void TProgress::Advance(const char* what, const std::string& file)
{
    ++Done_;
    if (Total_ <= 1)
        return;
    const std::string count = "[" + std::to_string(Done_) + "/" + std::to_string(Total_) + "] ";
    if (!Terminal_) {
        Line(count + what + file);
        return;
    }
    const double seconds = Elapsed();
    const size_t drawn = Written_ + FailedCount_;
    const double rate = seconds > 0.0 ? double(drawn) / seconds : 0.0;
    char text[160];
    std::snprintf(text, sizeof text, "\r\033[K%s%.1f pictures/s, %s left", count.c_str(), rate,
                  rate > 0.0 ? Clock(double(Total_ - Done_) / rate).c_str() : "?");
    Err_ << text;
    Err_.flush();
    LineOpen_ = true;
}

void TProgress::BoxFailed(const std::string& box, const std::string& reason)
{
    ++FailedCount_;
    Line(Program + box + ": " + reason);
    Advance("failed ", box);
}

void TProgress::Skipped(const std::string& file)
{
    ++SkippedCount_;
    Advance("skipped ", file);
}

void TProgress::Drawn(const std::string& box, const std::string& file, const std::string& failure)
{
    if (failure.empty()) {
        ++Written_;
    } else {
        ++FailedCount_;
        Line(Program + box + ": " + failure);
    }
    Advance(failure.empty() ? "wrote " : "failed ", file);
}

void TProgress::Finish(int stopped)
{
    const double seconds = Elapsed();
    if (Total_ <= 1 && stopped == 0) {
        if (LineOpen_)
            Line("");
        return;
    }
    char text[200];
    std::snprintf(text, sizeof text, "%s%s%zu of %zu pictures: %zu written, %zu skipped, %zu failed, %.1f s",
                  Program, stopped != 0 ? "stopped after " : "", Done_, Total_, Written_, SkippedCount_, FailedCount_,
                  seconds);
    Line(text);
}
