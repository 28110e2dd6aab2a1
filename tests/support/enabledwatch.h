#ifndef ENABLEDWATCH_H
#define ENABLEDWATCH_H

#include <QEvent>
#include <QObject>
#include <QWidget>

#include <functional>

// Calls back the moment a widget turns enabled or disabled: in the very call
// that changes it, however late a test's own wait would notice.
class EnabledWatch : public QObject
{
public:
    EnabledWatch(QWidget *widget, std::function<void(bool enabled)> changed)
        : changed(std::move(changed))
    {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::EnabledChange)
            changed(static_cast<QWidget *>(watched)->isEnabled());
        return false;
    }

private:
    std::function<void(bool)> changed;
};

#endif // ENABLEDWATCH_H
