#pragma once
// Ctrl-C and kill: SIGINT, SIGTERM and SIGHUP ask a run to stop. The picture
// being drawn is abandoned at its next rows (its temporary file removed) and
// no other is started.
#include "render/picture/PictureRows.h"

// Installs the handlers, which only note the request, for the signals that
// are not ignored.
void CatchStopSignals();

// The signal that asked to stop, or 0.
int StopRequested();

// Rows passed on to rows, unless a stop was asked for: then raises TStopped.
class TStoppableRows : public TPictureRows {
public:
    explicit TStoppableRows(TPictureRows& rows) : Rows_(rows) {}
    void Put(int first, int count, const uint32_t* rows) override;

private:
    TPictureRows& Rows_;
};

struct TStopped {};
