// Counts a widget's enabled changes: LOAD changes only when the busy state is
// entered or left, so a count of 0 shows a command never entered it.
#pragma once

#include <QEvent>
#include <QWidget>

namespace mozaru::test {

class EnabledChanges : public QObject {
public:
    explicit EnabledChanges(QWidget* widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::EnabledChange) ++count;
        return false;
    }
};

}  // namespace mozaru::test
