#pragma once
// The application's idle notification: once each time the event queue has
// been emptied after a batch that delivered at least one event, just before
// the loop goes to sleep. The paint and update requests that showing a frame
// causes do not count, so an idle handler that draws never wakes itself.
#include <QObject>
#include <functional>

class TApplicationEvents : public QObject {
    Q_OBJECT
public:
    explicit TApplicationEvents(QObject* parent = nullptr);
    ~TApplicationEvents() override;

    // Called with Done set to true; the loop then blocks until the next event.
    std::function<void(bool& done)> OnIdle;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AboutToBlock();
    bool Active_ = false;
};
