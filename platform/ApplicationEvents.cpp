#include "platform/ApplicationEvents.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>
#include <QThread>

TApplicationEvents::TApplicationEvents(QObject* parent) : QObject(parent)
{
    QCoreApplication::instance()->installEventFilter(this);
    connect(QAbstractEventDispatcher::instance(QThread::currentThread()),
            &QAbstractEventDispatcher::aboutToBlock, this, &TApplicationEvents::AboutToBlock);
}

TApplicationEvents::~TApplicationEvents()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

bool TApplicationEvents::eventFilter(QObject*, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Paint:
    case QEvent::UpdateRequest:
    case QEvent::UpdateLater:
        break;
    default:
        Active_ = true;
    }
    return false;
}

void TApplicationEvents::AboutToBlock()
{
    if (!Active_)
        return;
    Active_ = false;
    bool done = true;
    if (OnIdle)
        OnIdle(done);
}
