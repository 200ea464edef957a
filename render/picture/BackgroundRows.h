#pragma once
// Rows handed on to another taker by a thread of its own, so that a file's
// encoder works on one row of tiles while the GL draws the next. The copy of
// the rows is the last picture's, reused.
#include "platform/Reused.h"
#include "render/picture/PictureRows.h"

#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

class TBackgroundRows : public TPictureRows {
public:
    // Rows of width pixels go to to.
    TBackgroundRows(TPictureRows& to, int width);
    // Waits for the rows in hand, if any.
    ~TBackgroundRows() override;
    TBackgroundRows(const TBackgroundRows&) = delete;
    TBackgroundRows& operator=(const TBackgroundRows&) = delete;

    // Copies the rows and returns, once the thread has handed on the previous
    // ones. Raises what handing those on raised.
    void Put(int first, int count, const uint32_t* rows) override;
    // Waits until every row is handed on; raises what handing them on raised.
    void Finish();

private:
    void Work();
    // Waits, holding lock, until no rows are in hand; raises a failure.
    void WaitIdle(std::unique_lock<std::mutex>& lock);

    TPictureRows& To_;
    const size_t Width_;
    std::mutex Lock_;
    std::condition_variable Changed_;
    TReused<std::vector<uint32_t>> Rows_;
    int First_ = 0, Count_ = 0;
    bool InHand_ = false, Stopping_ = false;
    std::exception_ptr Failure_;
    std::thread Thread_;
};
