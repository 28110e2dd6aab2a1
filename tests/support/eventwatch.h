#ifndef EVENTWATCH_H
#define EVENTWATCH_H

#include <QEvent>
#include <QObject>

#include <functional>

// Calls back the moment an event of one type reaches an object (watching
// the application: any object of the GUI thread), in the very call that
// sends it, however late a test's own wait would notice.
class EventWatch : public QObject
{
public:
    EventWatch(QObject *target, QEvent::Type type, std::function<void(QObject *receiver, QEvent *event)> seen)
        : type(type),
          seen(std::move(seen))
    {
        target->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == type)
            seen(watched, event);
        return false;
    }

private:
    QEvent::Type type;
    std::function<void(QObject *, QEvent *)> seen;
};

#endif // EVENTWATCH_H
